// The wait after an upload: every interval the site is asked whether it has registered
// the file (getfileid with the file hash). It ends as Registered, Failed (the site could
// not be read) or Cancelled (the user's Cancel; Escape is ignored). The question is
// asked on a worker thread, so the window stays responsive while the site answers.
#pragma once

#include <QDialog>
#include <QTimer>
#include <atomic>
#include <thread>

class QLabel;

namespace ks {

class IUserInterface;

class CUploadWaitDialog : public QDialog {
    Q_OBJECT
  public:
    enum Ending { Cancelled = 0, Registered = 1, Failed = 2 };
    static constexpr int kIntervalMs = 10000;

    CUploadWaitDialog(IUserInterface& ui, QString address, int intervalMs = kIntervalMs,
                      QWidget* parent = nullptr);
    ~CUploadWaitDialog() override;

    void reject() override;  // Cancel

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ask();
    void answer(bool fetched, const QByteArray& reply);

    IUserInterface& ui_;
    QString address_;
    QTimer timer_;
    std::thread worker_;
    std::atomic<bool> cancel_ = false;
    bool asking_ = false;
};

}  // namespace ks
