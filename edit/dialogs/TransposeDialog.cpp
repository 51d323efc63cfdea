#include "TransposeDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "edit/ScoreTextIds.h"
#include "model/TextTable.h"

namespace ks {

CTransposeDlg::CTransposeDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::TransposeTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(StringId::IntervalLabel), this));
    intervals_ = new QListWidget(this);
    intervals_->addItems(text(StringId::TransposeIntervals).split(u';', Qt::SkipEmptyParts));
    intervals_->setCurrentRow(std::min(12, intervals_->count() - 1));
    layout->addWidget(intervals_);
    all_ = new QCheckBox(text(StringId::TransposeAll), this);
    layout->addWidget(all_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(intervals_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

int CTransposeDlg::amount() const {
    const int row = intervals_->currentRow();
    return row < 0 ? 0 : 12 - row;
}

bool CTransposeDlg::allTracks() const {
    return all_->isChecked();
}

}  // namespace ks
