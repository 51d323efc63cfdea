#include "app/ZoomDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

#include "app/AppTextIds.h"
#include "app/ZoomRules.h"
#include "model/TextTable.h"

namespace ks {

CZoomDialog::CZoomDialog(int zoom, QWidget* parent) : QDialog(parent), zoom_(zoom) {
    setWindowTitle(text(StringId::CustomZoomTitle));
    auto* layout = new QFormLayout(this);
    edit_ = new QLineEdit(QString::number(zoom), this);
    layout->addRow(text(StringId::CustomZoomLabel), edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CZoomDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CZoomDialog::reject);
    layout->addRow(buttons);
}

void CZoomDialog::accept() {
    const std::optional<int> value = validCustomZoom(edit_->text());
    if (!value) {
        QMessageBox::warning(this, text(StringId::ApplicationTitle), text(StringId::ZoomNotValid));
        edit_->setFocus();
        return;
    }
    zoom_ = *value;
    QDialog::accept();
}

}  // namespace ks
