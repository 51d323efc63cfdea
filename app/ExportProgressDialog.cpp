#include "app/ExportProgressDialog.h"

#include <QProgressDialog>

#include "app/AppTextIds.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

namespace ks {

ExportProgressDialog::ExportProgressDialog(QWidget* parent)
    : dialog_(std::make_unique<QProgressDialog>(parent)) {
    dialog_->setWindowTitle(text(StringId::ExportProgressTitle));
    dialog_->setCancelButtonText(text(StringId::Cancel));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setRange(0, 1);
    dialog_->setValue(0);
}

ExportProgressDialog::~ExportProgressDialog() {
    dialog_->close();
}

bool ExportProgressDialog::update(int done, int total) {
    if (dialog_->wasCanceled()) return false;
    dialog_->setMaximum(std::max(total, 1));
    dialog_->setLabelText(formatText(text(StringId::ExportingPage),
                                     {int64_t(std::min(done + 1, total)), int64_t(total)}));
    // A window-modal progress dialog handles its events (Cancel) as its value moves.
    dialog_->setValue(std::min(done, total));
    return !dialog_->wasCanceled();
}

ExportProgress ExportProgressDialog::start(QWidget* parent) {
    auto dialog = std::make_shared<ExportProgressDialog>(parent);
    return [dialog](int done, int total) { return dialog->update(done, total); };
}

}  // namespace ks
