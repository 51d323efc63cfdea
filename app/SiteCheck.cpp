#include "app/SiteCheck.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace ks {

SiteCheck::SiteCheck(const QString& address, std::function<void(bool)> done, QObject* parent,
                     int timeoutMs)
    : QObject(parent), done_(std::move(done)) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https")) {
        // Nothing to ask: the answer is no, given once the caller has the object.
        QTimer::singleShot(0, this, [this] {
            finished_ = true;
            if (done_) done_(false);
        });
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network_.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool answered =
            reply->error() == QNetworkReply::NoError && status >= 200 && status < 400;
        reply->deleteLater();
        finished_ = true;
        if (done_) done_(answered);
    });
}

SiteCheck::~SiteCheck() {
    done_ = nullptr;
}

}  // namespace ks
