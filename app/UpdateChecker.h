// The version check, at start-up (silent) and from the menu (verbose): the version page
// is fetched on a worker thread, so neither start-up nor the user waits on the site; the
// answer comes back to the user-interface thread, which offers the download, runs the
// download dialog and hands over to the updater.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <thread>

#include "app/online/UpdateCheck.h"
#include "app/online/UpdateDownload.h"

class QWidget;

namespace ks {

class IUserInterface;

class UpdateChecker : public QObject {
    Q_OBJECT
  public:
    UpdateChecker(IUserInterface& ui, QWidget* window, int runningPacked);
    // A check still running is cancelled and waited for.
    ~UpdateChecker() override;

    // Starts a check unless one is running. With web access off nothing is asked of the
    // site; the verbose check then says the program is up to date.
    void start(bool verbose);
    bool running() const { return worker_.joinable() && !answered_; }

    // What the editor does once an update has been downloaded; the shell closes itself.
    std::function<void()> closeEditor;
    // Runs the download dialog; true when the installer was downloaded and verified.
    std::function<bool(const DownloadRequest& request)> runDownload;
    // Starts the updater detached.
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
    // Called after each check with whether an update was handed over (for tests).
    std::function<void(bool handedOver)> finished;

  private:
    void answer(const UpdateCheckResult& result, bool verbose);
    bool handOver(const VersionPageInfo& page, const QString& base);
    void join();

    IUserInterface& ui_;
    QWidget* window_;
    int runningPacked_;
    std::thread worker_;
    std::atomic<bool> cancel_ = false;
    bool answered_ = true;
};

// The updater program beside the editor.
QString updaterProgram();

}  // namespace ks
