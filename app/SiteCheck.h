// Whether a web page answers, asked without blocking: one GET request with a time
// limit; `done` is called once, on the user-interface thread, with true when the page
// came back with a success status.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <functional>

namespace ks {

class SiteCheck : public QObject {
  public:
    static constexpr int kTimeoutMs = 10000;

    SiteCheck(const QString& address, std::function<void(bool answered)> done,
              QObject* parent = nullptr, int timeoutMs = kTimeoutMs);
    // A check still waiting is abandoned without an answer.
    ~SiteCheck() override;
    bool finished() const { return finished_; }

  private:
    std::function<void(bool)> done_;
    bool finished_ = false;
    QNetworkAccessManager network_;  // last: it goes first, while the rest still exists
};

}  // namespace ks
