// Downloading an installer into the Updates folder: the transfer with its progress, the
// size rule, the SHA-256 check, and the clean-up of anything that did not verify. No
// widgets: the download dialog runs this on its worker thread.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

#include "app/online/HttpsClient.h"

namespace ks {

enum class DownloadOutcome { Done, Failed, Cancelled, CannotOpenFile };

struct DownloadRequest {
    QString address;     // base + "downloadsv4/" + file name
    QString localPath;   // where the installer goes
    QString sha256;      // the digest the version page published
    TransferLimits limits = defaultLimits();
    static TransferLimits defaultLimits();
};

class UpdateDownload {
  public:
    // A smaller file is a broken download, whatever the server said.
    static constexpr int64_t kMinimumSize = 6 * 1024 * 1024;
    // Installers are far smaller; a longer answer is not one.
    static constexpr int64_t kMaximumSize = int64_t(1) << 30;

    // Called on the worker thread after each block with the bytes so far and the announced
    // length (-1 when the server sent none).
    using Progress = std::function<void(int64_t received, int64_t expected)>;

    // On Done the file is in place with its digest beside it (installerDigestPath); on any
    // other outcome no file is left behind.
    static DownloadOutcome run(const HttpsClient& client, const DownloadRequest& request,
                               const Progress& progress, const std::atomic<bool>* cancel);
};

// The Updates folder below the data folder, created when missing.
QString updatesFolder();
// The local path for an installer: Updates folder + name, with ".deb" added when the
// name has no extension.
QString installerPath(const QString& folder, const QString& fileName);

// The progress bar's range: the announced length, or the largest 32-bit value when none
// was announced.
int progressRange(int64_t expected);
// "%d of %dk": kilobytes so far of the range.
QString progressSizeText(int64_t received, int64_t expected);
// "%d%%": received × 100 / range, capped at 100.
QString progressPercentText(int64_t received, int64_t expected);

}  // namespace ks
