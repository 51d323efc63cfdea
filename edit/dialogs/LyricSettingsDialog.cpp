#include "LyricSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "edit/ScoreTextIds.h"
#include "model/TextTable.h"

namespace ks {

namespace {

constexpr int kOffsetRange = 1000;

QComboBox* listOf(int textId, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(text(textId).split(u';', Qt::SkipEmptyParts));
    return box;
}

}  // namespace

CLyricSettingsDlg::CLyricSettingsDlg(CScore& score, CUndoHistory& history,
                                     std::function<void()> relayout, QWidget* parent)
    : QDialog(parent), score_(score), history_(history), relayout_(std::move(relayout)) {
    setWindowTitle(text(StringId::LyricSettingsTitle));
    before_ = score_.prefs;
    pushed_ = history_.Push(StringId::LyricSettingsStep, UndoKind::Settings);
    const LyricSettings s = readLyricSettings(score_.prefs);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    alignment_ = listOf(StringId::LsAlignments, this);
    alignment_->setCurrentIndex(s.alignment);
    position_ = listOf(StringId::LsPositions, this);
    position_->setCurrentIndex(s.position);
    form->addRow(text(StringId::LsAlignment), alignment_);
    form->addRow(text(StringId::LsPosition), position_);
    for (size_t i = 0; i < 3; ++i) {
        offsets_[i] = new QSpinBox(this);
        offsets_[i]->setRange(-kOffsetRange, kOffsetRange);
        offsets_[i]->setValue(std::clamp(s.offsets[i], -kOffsetRange, kOffsetRange));
        form->addRow(text(StringId::LsOffset1 + int(i)), offsets_[i]);
        connect(offsets_[i], &QSpinBox::valueChanged, this, &CLyricSettingsDlg::changed);
    }
    layout->addLayout(form);
    connect(alignment_, &QComboBox::currentIndexChanged, this, &CLyricSettingsDlg::changed);
    connect(position_, &QComboBox::currentIndexChanged, this, &CLyricSettingsDlg::changed);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLyricSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLyricSettingsDlg::reject);
    layout->addWidget(buttons);
}

void CLyricSettingsDlg::changed() {
    LyricSettings s;
    s.alignment = alignment_->currentIndex();
    s.position = position_->currentIndex();
    for (size_t i = 0; i < 3; ++i)
        s.offsets[i] = offsets_[i]->value();
    applyLyricSettings(s, score_.prefs);
    if (relayout_) relayout_();
}

void CLyricSettingsDlg::accept() {
    if (pushed_ && score_.prefs == before_) history_.DiscardLast();
    QDialog::accept();
}

void CLyricSettingsDlg::reject() {
    if (!pushed_ || !history_.Undo()) score_.prefs = before_;
    if (relayout_) relayout_();
    QDialog::reject();
}

}  // namespace ks
