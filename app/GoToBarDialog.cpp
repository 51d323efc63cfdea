#include "app/GoToBarDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>

#include "app/AppTextIds.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

namespace ks {

CGotoBarDlg::CGotoBarDlg(int current, int count, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::GoToBarTitle));
    auto* layout = new QFormLayout(this);
    edit_ = new QLineEdit(QString::number(current), this);
    edit_->setValidator(new QIntValidator(-999999999, 999999999, edit_));
    edit_->selectAll();
    layout->addRow(formatText(text(StringId::GoToBarPrompt), {int64_t(count)}), edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

int CGotoBarDlg::bar() const {
    bool ok = false;
    const int value = edit_->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

}  // namespace ks
