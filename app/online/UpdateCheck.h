// Asking the web site whether a newer release than the running one is published.
#pragma once

#include <QString>
#include <atomic>

#include "app/online/HttpsClient.h"
#include "app/online/VersionPage.h"

namespace ks {

struct UpdateCheckResult {
    bool newVersion = false;
    VersionPageInfo page;  // what the version page named
    QString error;         // why the page could not be read; empty otherwise
};

// The version page's limits: it is short, so a long or slow answer is a faulty one.
TransferLimits versionPageLimits();

// Fetches base + "latestversion" and compares the release it names with `runningPacked`
// (packVersion of the running program). A failed fetch, an empty page, a page naming no
// installer or one without the installer's SHA-256 all count as up to date: nothing that
// cannot be verified is offered.
UpdateCheckResult checkLatestVersion(const HttpsClient& client, const QString& siteBase,
                                     int runningPacked, const std::atomic<bool>* cancel = nullptr);

// `base` + `page`, with one "/" between them.
QString siteAddress(const QString& base, const QString& page);

}  // namespace ks
