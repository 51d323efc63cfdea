#include "app/online/UpdateCheck.h"

namespace ks {

TransferLimits versionPageLimits() {
    TransferLimits limits;
    limits.maxBody = 64 * 1024;
    limits.connectTimeoutMs = 15000;
    limits.stallSeconds = 20;
    limits.totalTimeoutMs = 60000;
    return limits;
}

QString siteAddress(const QString& base, const QString& page) {
    return base.endsWith(u'/') ? base + page : base + u'/' + page;
}

UpdateCheckResult checkLatestVersion(const HttpsClient& client, const QString& siteBase,
                                     int runningPacked, const std::atomic<bool>* cancel) {
    UpdateCheckResult result;
    const TransferResult page =
        client.get(siteAddress(siteBase, QStringLiteral("latestversion")), versionPageLimits(), cancel);
    if (!page.ok) {
        result.error = page.error;
        return result;
    }
    result.page = parseVersionPage(page.body);
    result.newVersion = result.page.found && !result.page.sha256.isEmpty() &&
                        runningPacked < result.page.packed();
    return result;
}

}  // namespace ks
