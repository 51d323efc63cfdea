#include "app/MidiFileDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/AppTextIds.h"
#include "app/DefaultSettings.h"
#include "app/DocumentLayout.h"
#include "app/UserInterface.h"
#include "edit/EditTextIds.h"
#include "edit/ScoreTextIds.h"
#include "model/TextTable.h"

namespace ks {

CMidiFileDlg::CMidiFileDlg(const MidiImportOptions& current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::MidiImportTitle));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(text(StringId::MidiImportGroup), this);
    auto* boxes = new QVBoxLayout(group);
    removeOverlapping_ = new QCheckBox(text(StringId::MidiImportRemoveOverlapping), group);
    extendNotes_ = new QCheckBox(text(StringId::MidiImportExtendNotes), group);
    shortenNotes_ = new QCheckBox(text(StringId::MidiImportShortenNotes), group);
    removeOverlapping_->setChecked(current.removeOverlapping);
    extendNotes_->setChecked(current.extendNotes);
    shortenNotes_->setChecked(current.shortenNotes);
    splitHands_ = new QCheckBox(text(StringId::MidiImportSplitHands), group);
    splitHands_->setChecked(current.splitHands);
    splitHands_->setEnabled(current.canSplitHands);
    canSplitHands_ = current.canSplitHands;
    quantise_ = new QCheckBox(text(StringId::MidiImportQuantise), group);
    quantise_->setChecked(current.quantise);
    for (QCheckBox* box : {quantise_, splitHands_, removeOverlapping_, extendNotes_, shortenNotes_})
        boxes->addWidget(box);
    layout->addWidget(group);
    // Cancel (or closing the dialog) leaves the file unopened.
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(text(StringId::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(StringId::Cancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

MidiImportOptions CMidiFileDlg::options() const {
    return {removeOverlapping_->isChecked(), extendNotes_->isChecked(), shortenNotes_->isChecked(),
            canSplitHands_ && splitHands_->isChecked(), canSplitHands_, quantise_->isChecked()};
}

void installMidiImport(CKeystaveDoc& doc, IUserInterface& ui) {
    doc.hooks.importMidi = [&ui](CKeystaveDoc& target, const QString& path) {
        MidiImportSteps steps;
        steps.applyDefaults = [](CScore& score, CPrinterSettings& printer) {
            applyDefaultSettings(score, printer);
        };
        steps.layout = [](CScore& score, const CPrinterSettings& printer) {
            layOutDocument(score, printer);
        };
        steps.chooseOptions = [&ui](const MidiImportOptions& current) {
            return ui.chooseMidiImportOptions(current);
        };
        return importMidiDocument(target, path, ui, steps);
    };
}

}  // namespace ks
