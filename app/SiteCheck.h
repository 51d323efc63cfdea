// Whether a web page answers, asked without blocking: one HTTPS GET (certificate
// checked, body capped) with a time limit on a worker thread; `done` is called once, on
// the user-interface thread, with true when the page came back with a success status.
// Addresses that are not "https://" are never asked: the answer is no.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

namespace ks {

class SiteCheck : public QObject {
  public:
    static constexpr int kTimeoutMs = 10000;

    SiteCheck(const QString& address, std::function<void(bool answered)> done,
              QObject* parent = nullptr, int timeoutMs = kTimeoutMs);
    // A check still waiting is cancelled without an answer.
    ~SiteCheck() override;
    bool finished() const { return finished_; }

  private:
    void finish(bool answered);

    std::function<void(bool)> done_;
    bool finished_ = false;
    std::atomic<bool> cancel_ = false;
    std::thread worker_;
};

}  // namespace ks
