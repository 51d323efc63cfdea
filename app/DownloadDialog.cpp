#include "app/DownloadDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/OnlineTextIds.h"
#include "model/TextTable.h"

namespace ks {

CDownloadDialog::CDownloadDialog(DownloadRequest request, QWidget* parent)
    : QDialog(parent), request_(std::move(request)) {
    setWindowTitle(text(OnlineText::DownloadTitle));
    auto* layout = new QVBoxLayout(this);
    file_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->setRange(0, 0);
    size_ = new QLabel(text(OnlineText::NothingYet), this);
    percent_ = new QLabel(QStringLiteral("0%"), this);
    auto* labels = new QHBoxLayout;
    labels->addWidget(size_);
    labels->addStretch();
    labels->addWidget(percent_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDownloadDialog::reject);
    layout->addWidget(file_);
    layout->addWidget(progress_);
    layout->addLayout(labels);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

CDownloadDialog::~CDownloadDialog() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void CDownloadDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startDownload();
}

void CDownloadDialog::startDownload() {
    if (started_) return;
    started_ = true;
    if (!readFlag(*programSettings(), SettingKey::EnableWeb, true)) {
        size_->setText(text(OnlineText::InternetDisabled));
        return;
    }
    file_->setText(QFileInfo(request_.localPath).fileName());
    busy_ = true;
    worker_ = std::thread([this] {
        const DownloadOutcome outcome = UpdateDownload::run(
            HttpsClient(), request_,
            [this](int64_t received, int64_t expected) {
                QMetaObject::invokeMethod(
                    this, [this, received, expected] { showProgress(received, expected); },
                    Qt::QueuedConnection);
            },
            &cancel_);
        busy_ = false;
        QMetaObject::invokeMethod(this, [this, outcome] { finish(outcome); }, Qt::QueuedConnection);
    });
}

void CDownloadDialog::showProgress(int64_t received, int64_t expected) {
    if (cancel_) return;
    progress_->setRange(0, progressRange(expected));
    progress_->setValue(int(std::min<int64_t>(received, progressRange(expected))));
    size_->setText(progressSizeText(received, expected));
    percent_->setText(progressPercentText(received, expected));
}

void CDownloadDialog::finish(DownloadOutcome outcome) {
    if (worker_.joinable()) worker_.join();
    switch (outcome) {
        case DownloadOutcome::Done:
            accept();
            break;
        case DownloadOutcome::CannotOpenFile:
            size_->setText(text(OnlineText::CannotOpenFile));
            percent_->clear();
            break;
        case DownloadOutcome::Failed:
            size_->setText(text(OnlineText::DownloadError));
            percent_->clear();
            break;
        case DownloadOutcome::Cancelled:
            break;
    }
}

void CDownloadDialog::reject() {
    cancel_ = true;
    QDialog::reject();
}

QString CDownloadDialog::sizeText() const { return size_->text(); }
QString CDownloadDialog::percentText() const { return percent_->text(); }
QString CDownloadDialog::fileText() const { return file_->text(); }
int CDownloadDialog::progressValue() const { return progress_->value(); }
int CDownloadDialog::progressMaximum() const { return progress_->maximum(); }

}  // namespace ks
