// "Downloading File": the installer's name, a progress bar, the size and percentage
// labels and Cancel. The download runs on a worker thread of the dialog's own that
// reaches the widgets only through queued calls; the dialog closes with OK once the
// installer is in place and verified, and stays open on an error until cancelled.
#pragma once

#include <QDialog>
#include <atomic>
#include <thread>

#include "app/online/UpdateDownload.h"

class QLabel;
class QProgressBar;

namespace ks {

class CDownloadDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CDownloadDialog(DownloadRequest request, QWidget* parent = nullptr);
    // Waits for the worker, which ends soon after the cancel flag is set.
    ~CDownloadDialog() override;

    // Starts the download when the dialog is shown; tests may call it directly.
    void startDownload();
    bool busy() const { return busy_; }
    QString sizeText() const;
    QString percentText() const;
    QString fileText() const;
    int progressValue() const;
    int progressMaximum() const;

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showProgress(int64_t received, int64_t expected);
    void finish(DownloadOutcome outcome);

    DownloadRequest request_;
    QLabel* file_;
    QProgressBar* progress_;
    QLabel* size_;
    QLabel* percent_;
    std::thread worker_;
    std::atomic<bool> cancel_ = false;
    std::atomic<bool> busy_ = false;
    bool started_ = false;
};

}  // namespace ks
