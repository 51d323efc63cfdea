#include "app/SiteCheck.h"

#include <QTimer>
#include <algorithm>

#include "app/online/HttpsClient.h"

namespace ks {

SiteCheck::SiteCheck(const QString& address, std::function<void(bool)> done, QObject* parent,
                     int timeoutMs)
    : QObject(parent), done_(std::move(done)) {
    if (!HttpsClient::isHttpsAddress(address)) {
        // Nothing to ask: the answer is no, given once the caller has the object.
        QTimer::singleShot(0, this, [this] { finish(false); });
        return;
    }
    TransferLimits limits;
    limits.maxBody = 1 << 20;  // a page, not a download
    limits.connectTimeoutMs = timeoutMs;
    limits.totalTimeoutMs = timeoutMs;
    limits.stallSeconds = std::max(1, timeoutMs / 1000);
    worker_ = std::thread([this, address, limits] {
        const bool answered = HttpsClient().get(address, limits, &cancel_).ok;
        // Queued to this object: dropped if the check is destroyed before it is delivered.
        QMetaObject::invokeMethod(
            this, [this, answered] { finish(answered); }, Qt::QueuedConnection);
    });
}

SiteCheck::~SiteCheck() {
    done_ = nullptr;
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void SiteCheck::finish(bool answered) {
    if (finished_) return;
    finished_ = true;
    if (done_) done_(answered);
}

}  // namespace ks
