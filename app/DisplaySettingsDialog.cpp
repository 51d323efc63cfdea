#include "app/DisplaySettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/AppTextIds.h"
#include "app/DocumentLayout.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

QComboBox* listOf(const QString& entries, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(entries.split(u';', Qt::SkipEmptyParts));
    return box;
}

}  // namespace

CDisplaySettingsDialog::CDisplaySettingsDialog(CKeystaveDoc& doc, std::function<void()> relayout,
                                               QWidget* parent)
    : QDialog(parent), doc_(doc), relayout_(std::move(relayout)) {
    setWindowTitle(text(StringId::DisplaySettingsTitle));
    before_ = doc_.score().prefs;
    printerBefore_ = doc_.printer();
    pushed_ = doc_.history().Push(StringId::DisplaySettingsStep, UndoKind::Settings);
    build();
    setControls(controlsFromPreferences(doc_.score().prefs, documentOrientation(doc_.printer())));
}

void CDisplaySettingsDialog::build() {
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    top->addLayout(columns);

    // Left column: sizes, colours and stave options.
    auto* left = new QGridLayout;
    columns->addLayout(left);
    int row = 0;
    barsPerLine_ = new QComboBox(this);
    const int choices = barsPerLineChoices(doc_.score().prefs.barsperline);
    for (int i = 1; i <= choices; ++i)
        barsPerLine_->addItem(QString::number(i));
    left->addWidget(new QLabel(text(StringId::DsBarsPerLine)), row, 0);
    left->addWidget(barsPerLine_, row++, 1);

    musicSize_ = new QSlider(Qt::Horizontal, this);
    musicSize_->setRange(kMinMusicSize, kMaxMusicSize);
    musicSizeLabel_ = new QLabel(this);
    left->addWidget(new QLabel(text(StringId::DsMusicSize)), row, 0);
    left->addWidget(musicSize_, row, 1);
    left->addWidget(musicSizeLabel_, row++, 2);

    handGap_ = new QSlider(Qt::Horizontal, this);
    handGap_->setRange(0, kMaxHandGapControl);
    handGapLabel_ = new QLabel(this);
    left->addWidget(new QLabel(text(StringId::DsHandGap)), row, 0);
    left->addWidget(handGap_, row, 1);
    left->addWidget(handGapLabel_, row++, 2);

    colourMode_ = listOf(text(StringId::DsColourModes), this);
    left->addWidget(new QLabel(text(StringId::DsOctaveColours)), row, 0);
    left->addWidget(colourMode_, row++, 1, 1, 2);

    extendMode_ = listOf(text(StringId::DsExtendModes), this);
    left->addWidget(new QLabel(text(StringId::DsBeyondStave)), row, 0);
    left->addWidget(extendMode_, row++, 1, 1, 2);

    staveType_ = new QComboBox(this);
    for (const StaveTypeEntry& entry : staveTypeEntries(text(StringId::DsStaveTypes)))
        staveType_->addItem(entry.name, entry.number);
    left->addWidget(new QLabel(text(StringId::DsStaveType)), row, 0);
    left->addWidget(staveType_, row++, 1, 1, 2);

    auto check = [&](int id) {
        auto* box = new QCheckBox(text(id), this);
        left->addWidget(box, row++, 0, 1, 3);
        return box;
    };
    stemDirection_ = check(StringId::DsStemDirection);
    whiteNoteSpace_ = check(StringId::DsWhiteNoteSpace);
    thickLines_ = check(StringId::DsThickLines);
    fadeTies_ = check(StringId::DsFadeTies);
    onlyUsedLines_ = check(StringId::DsOnlyUsedLines);
    preventOverlap_ = check(StringId::DsPreventOverlap);
    fingeringNearHead_ = check(StringId::DsFingeringNearHead);

    // Right column: what is shown, cropping, orientation.
    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    auto* showGroup = new QGroupBox(text(StringId::DsShow), this);
    auto* showGrid = new QGridLayout(showGroup);
    for (int i = 0; i < 17; ++i) {
        show_[i] = new QCheckBox(text(StringId::DsTitle + i), showGroup);
        showGrid->addWidget(show_[i], i % 9, i / 9);
    }
    right->addWidget(showGroup);

    auto* cropGroup = new QGroupBox(text(StringId::DsCropping), this);
    auto* cropLayout = new QVBoxLayout(cropGroup);
    cropStart_ = new QCheckBox(text(StringId::DsCropStart), cropGroup);
    indentStart_ = new QCheckBox(text(StringId::DsIndentStart), cropGroup);
    barZero_ = new QCheckBox(text(StringId::DsBarZero), cropGroup);
    cropEnd_ = new QCheckBox(text(StringId::DsCropEnd), cropGroup);
    indentEnd_ = new QCheckBox(text(StringId::DsIndentEnd), cropGroup);
    for (QCheckBox* box : {cropStart_, indentStart_, barZero_, cropEnd_, indentEnd_})
        cropLayout->addWidget(box);
    right->addWidget(cropGroup);

    auto* orientation = new QHBoxLayout;
    orientation->addWidget(new QLabel(text(StringId::DsOrientation)));
    portrait_ = new QRadioButton(text(StringId::DsPortrait), this);
    landscape_ = new QRadioButton(text(StringId::DsLandscape), this);
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    orientation->addStretch();
    right->addLayout(orientation);
    right->addStretch();

    lines_ = new QLabel(this);
    top->addWidget(lines_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDisplaySettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDisplaySettingsDialog::reject);
    top->addWidget(buttons);

    auto changed = [this] { controlChanged(sender()); };
    for (QComboBox* box : {barsPerLine_, colourMode_, extendMode_, staveType_})
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    for (QSlider* slider : {musicSize_, handGap_})
        connect(slider, &QSlider::valueChanged, this, changed);
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, changed);
    connect(landscape_, &QRadioButton::toggled, this, changed);
}

DisplayControls CDisplaySettingsDialog::controls() const {
    DisplayControls c;
    c.barsPerLineIndex = barsPerLine_->currentIndex();
    c.fontsize = musicSize_->value();
    c.stavegap = handGap_->value();
    c.colourEntry = colourMode_->currentIndex();
    c.extendMode = extendMode_->currentIndex();
    c.staveType = staveType_->currentData().toInt();
    c.stemDirection = stemDirection_->isChecked();
    c.whiteNoteSpace = whiteNoteSpace_->isChecked();
    c.thickLines = thickLines_->isChecked();
    c.fadeTies = fadeTies_->isChecked();
    c.onlyUsedLines = onlyUsedLines_->isChecked();
    c.preventOverlap = preventOverlap_->isChecked();
    c.fingeringNearHead = fingeringNearHead_->isChecked();
    bool* show[17] = {
        &c.title,       &c.subtitle,  &c.copyright, &c.composer,  &c.timeSignature, &c.keySignature,
        &c.rests,       &c.tempo,     &c.stems,     &c.fingering, &c.lyrics,        &c.barNumbers,
        &c.pageNumbers, &c.keyboards, &c.clefs,     &c.filename,  &c.annotations};
    for (int i = 0; i < 17; ++i)
        *show[i] = show_[i]->isChecked();
    c.cropStart = cropStart_->isChecked();
    c.cropEnd = cropEnd_->isChecked();
    c.indentStart = indentStart_->isChecked();
    c.barZero = barZero_->isChecked();
    c.indentEnd = indentEnd_->isChecked();
    c.orientation = landscape_->isChecked() ? 2 : 1;
    return c;
}

void CDisplaySettingsDialog::setControls(const DisplayControls& c) {
    updating_ = true;
    barsPerLine_->setCurrentIndex(std::clamp(c.barsPerLineIndex, 0, barsPerLine_->count() - 1));
    musicSize_->setValue(c.fontsize);
    handGap_->setValue(c.stavegap);
    colourMode_->setCurrentIndex(c.colourEntry);
    extendMode_->setCurrentIndex(c.extendMode);
    staveType_->setCurrentIndex(std::max(0, staveType_->findData(c.staveType)));
    stemDirection_->setChecked(c.stemDirection);
    whiteNoteSpace_->setChecked(c.whiteNoteSpace);
    thickLines_->setChecked(c.thickLines);
    fadeTies_->setChecked(c.fadeTies);
    onlyUsedLines_->setChecked(c.onlyUsedLines);
    preventOverlap_->setChecked(c.preventOverlap);
    fingeringNearHead_->setChecked(c.fingeringNearHead);
    const bool show[17] = {
        c.title,       c.subtitle,  c.copyright, c.composer,  c.timeSignature, c.keySignature,
        c.rests,       c.tempo,     c.stems,     c.fingering, c.lyrics,        c.barNumbers,
        c.pageNumbers, c.keyboards, c.clefs,     c.filename,  c.annotations};
    for (int i = 0; i < 17; ++i)
        show_[i]->setChecked(show[i]);
    cropStart_->setChecked(c.cropStart);
    cropEnd_->setChecked(c.cropEnd);
    indentStart_->setChecked(c.indentStart);
    barZero_->setChecked(c.barZero);
    indentEnd_->setChecked(c.indentEnd);
    (c.orientation == 2 ? landscape_ : portrait_)->setChecked(true);
    updating_ = false;
    refreshLabels();
}

void CDisplaySettingsDialog::controlChanged(QObject* sender) {
    if (updating_) return;
    DisplayControls c = controls();
    if (sender == show_[0] || sender == show_[1]) {
        coupleTitleBoxes(c, sender == show_[0]);
        updating_ = true;
        show_[0]->setChecked(c.title);
        show_[1]->setChecked(c.subtitle);
        updating_ = false;
    }
    applyControls(c, doc_.score().prefs);
    setDocumentOrientation(doc_.printer(), c.orientation);
    if (relayout_) relayout_();
    refreshLabels();
}

void CDisplaySettingsDialog::refreshLabels() {
    const CScore& score = doc_.score();
    musicSizeLabel_->setText(musicSizeLabel(musicSize_->value()));
    handGapLabel_->setText(handGapLabel(handGap_->value(), musicSize_->value()));
    const bool leadIn = leadInChoicesEnabled(score);
    indentStart_->setEnabled(leadIn);
    barZero_->setEnabled(leadIn);
    lines_->setText(
        formatText(text(StringId::DsApproximateLines), {int64_t(approximateLinesPerPage(score))}));
}

void CDisplaySettingsDialog::accept() {
    // A dialog that changed nothing leaves no undo step.
    if (pushed_ && doc_.score().prefs == before_ && doc_.printer() == printerBefore_)
        doc_.history().DiscardLast();
    QDialog::accept();
}

void CDisplaySettingsDialog::reject() {
    // Taking the step back restores the settings; when no step could be recorded they
    // are put back from the copy taken at the start.
    if (!pushed_ || !doc_.history().Undo()) doc_.score().prefs = before_;
    doc_.printer() = printerBefore_;
    if (relayout_) relayout_();
    QDialog::reject();
}

}  // namespace ks
