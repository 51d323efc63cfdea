#include "app/online/UpdateDownload.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>

#include "storage/AppPaths.h"
#include "updater/InstallerDigest.h"

namespace ks {

TransferLimits DownloadRequest::defaultLimits() {
    TransferLimits limits;
    limits.maxBody = UpdateDownload::kMaximumSize;
    limits.connectTimeoutMs = 15000;
    limits.stallSeconds = 30;
    limits.totalTimeoutMs = 0;
    return limits;
}

DownloadOutcome UpdateDownload::run(const HttpsClient& client, const DownloadRequest& request,
                                    const Progress& progress, const std::atomic<bool>* cancel) {
    QFile file(request.localPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return DownloadOutcome::CannotOpenFile;
    QCryptographicHash digest(QCryptographicHash::Sha256);
    const HttpsClient::Sink sink = [&](const char* data, size_t size) {
        digest.addData(QByteArrayView(data, qsizetype(size)));
        return file.write(data, qint64(size)) == qint64(size);
    };
    const TransferResult result = client.download(request.address, request.limits, sink, progress, cancel);
    const bool flushed = file.flush();
    const qint64 size = file.size();
    file.close();

    DownloadOutcome outcome = DownloadOutcome::Done;
    if (result.cancelled || (cancel && cancel->load()))
        outcome = DownloadOutcome::Cancelled;
    else if (!result.ok || !flushed || size < kMinimumSize ||
             (result.expected >= 0 && size != result.expected))
        outcome = DownloadOutcome::Failed;
    else if (request.sha256.isEmpty() ||
             QString::fromLatin1(digest.result().toHex()) != request.sha256.toLower())
        outcome = DownloadOutcome::Failed;  // what arrived is not what the site published

    const QString digestPath = installerDigestPath(request.localPath);
    if (outcome != DownloadOutcome::Done) {
        QFile::remove(request.localPath);
        QFile::remove(digestPath);
        return outcome;
    }
    if (!writeInstallerDigest(request.localPath, request.sha256.toLower())) {
        QFile::remove(request.localPath);
        return DownloadOutcome::Failed;
    }
    return outcome;
}

QString updatesFolder() {
    const QString folder = pathIn(dataFolder(), QStringLiteral("Updates"));
    QDir().mkpath(folder);
    return folder;
}

QString installerPath(const QString& folder, const QString& fileName) {
    QString name = fileName;
    if (QFileInfo(name).suffix().isEmpty()) name += QLatin1String(".deb");
    return pathIn(folder, name);
}

int progressRange(int64_t expected) {
    constexpr int64_t largest = std::numeric_limits<int32_t>::max();
    return expected > 0 ? int(std::min(expected, largest)) : int(largest);
}

QString progressSizeText(int64_t received, int64_t expected) {
    return QStringLiteral("%1 of %2k").arg(received / 1024).arg(progressRange(expected) / 1024);
}

QString progressPercentText(int64_t received, int64_t expected) {
    const int64_t percent = std::min<int64_t>(received * 100 / progressRange(expected), 100);
    return QStringLiteral("%1%").arg(percent);
}

}  // namespace ks
