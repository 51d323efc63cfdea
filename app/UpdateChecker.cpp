#include "app/UpdateChecker.h"

#include <QCoreApplication>
#include <QProcess>
#include <QWidget>

#include "app/AppSettings.h"
#include "app/DownloadDialog.h"
#include "app/OnlineTextIds.h"
#include "app/UserInterface.h"
#include "model/TextTable.h"

namespace ks {

QString updaterProgram() {
    return QCoreApplication::applicationDirPath() + QLatin1String("/keystaves-updater");
}

UpdateChecker::UpdateChecker(IUserInterface& ui, QWidget* window, int runningPacked)
    : ui_(ui), window_(window), runningPacked_(runningPacked) {
    runDownload = [this](const DownloadRequest& request) {
        CDownloadDialog dialog(request, window_);
        return dialog.exec() == QDialog::Accepted;
    };
    startDetached = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

UpdateChecker::~UpdateChecker() {
    cancel_ = true;
    join();
}

void UpdateChecker::join() {
    if (worker_.joinable()) worker_.join();
}

void UpdateChecker::start(bool verbose) {
    if (running()) return;
    join();
    std::unique_ptr<QSettings> settings = programSettings();
    if (!readFlag(*settings, SettingKey::EnableWeb, true)) {
        if (verbose) ui_.showMessage(OnlineText::LatestVersion, {});
        if (finished) finished(false);
        return;
    }
    ui_.showStatus(text(OnlineText::CheckingVersion));
    const QString base = sitePage(*settings, QString());
    answered_ = false;
    cancel_ = false;
    worker_ = std::thread([this, base, verbose] {
        UpdateCheckResult result = checkLatestVersion(HttpsClient(), base, runningPacked_, &cancel_);
        if (cancel_) return;
        QMetaObject::invokeMethod(
            this, [this, result, verbose] { answer(result, verbose); }, Qt::QueuedConnection);
    });
}

void UpdateChecker::answer(const UpdateCheckResult& result, bool verbose) {
    answered_ = true;
    ui_.showStatus(QString());
    bool handedOver = false;
    if (!result.newVersion) {
        if (verbose) ui_.showMessage(OnlineText::LatestVersion, {});
    } else if (ui_.askYesNo(OnlineText::NewVersionQuestion, {})) {
        handedOver = handOver(result.page, sitePage(*programSettings(), QString()));
    }
    if (finished) finished(handedOver);
}

bool UpdateChecker::handOver(const VersionPageInfo& page, const QString& base) {
    DownloadRequest request;
    request.address = siteAddress(base, QLatin1String("downloadsv4/") + page.fileName);
    request.localPath = installerPath(updatesFolder(), page.fileName);
    request.sha256 = page.sha256;
    if (!runDownload || !runDownload(request)) return false;
    ui_.showMessage(OnlineText::WillClose, {});
    const QString program = updaterProgram();
    const QStringList arguments = {QString::number(QCoreApplication::applicationPid()),
                                   request.localPath};
    if (!startDetached || !startDetached(program, arguments)) {
        ui_.showMessage(OnlineText::UpdaterNotStarted, {program});
        return false;
    }
    if (closeEditor) closeEditor();
    return true;
}

}  // namespace ks
