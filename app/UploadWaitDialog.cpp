#include "app/UploadWaitDialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/OnlineTextIds.h"
#include "app/UserInterface.h"
#include "app/online/HttpsClient.h"
#include "app/online/LibraryUpload.h"
#include "app/online/UpdateCheck.h"
#include "model/TextTable.h"

namespace ks {

CUploadWaitDialog::CUploadWaitDialog(IUserInterface& ui, QString address, int intervalMs,
                                     QWidget* parent)
    : QDialog(parent), ui_(ui), address_(std::move(address)) {
    setWindowTitle(text(OnlineText::WaitTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(OnlineText::WaitText), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CUploadWaitDialog::reject);
    layout->addWidget(buttons);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &CUploadWaitDialog::ask);
    timer_.start();
}

CUploadWaitDialog::~CUploadWaitDialog() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void CUploadWaitDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;  // only Cancel ends the wait
    QDialog::keyPressEvent(event);
}

void CUploadWaitDialog::reject() {
    if (cancel_) return;
    timer_.stop();
    cancel_ = true;
    ui_.showStatus(text(OnlineText::UploadCancelled));
    done(Cancelled);
}

void CUploadWaitDialog::ask() {
    if (asking_) return;  // the last question is still out
    if (worker_.joinable()) worker_.join();
    asking_ = true;
    worker_ = std::thread([this] {
        TransferLimits limits = versionPageLimits();
        const TransferResult result = HttpsClient().get(address_, limits, &cancel_);
        if (cancel_) return;
        QMetaObject::invokeMethod(
            this, [this, ok = result.ok, body = result.body] { answer(ok, body); },
            Qt::QueuedConnection);
    });
}

void CUploadWaitDialog::answer(bool fetched, const QByteArray& reply) {
    asking_ = false;
    if (cancel_) return;  // ended already
    if (!fetched) {
        timer_.stop();
        cancel_ = true;
        ui_.showStatus(text(OnlineText::ErrorReadingPage));
        done(Failed);
    } else if (fileIdRegistered(reply)) {
        timer_.stop();
        cancel_ = true;
        ui_.showStatus(text(OnlineText::UploadComplete));
        done(Registered);
    }
}

}  // namespace ks
