// The MIDI file dialogs of the shell: the import options offered after a MIDI file was
// read, and the hooks that let a document import MIDI files.
#pragma once

#include <QDialog>
#include <optional>

#include "edit/MidiImportCommand.h"

class QCheckBox;

namespace ks {

class IUserInterface;

// "Midi File Import": the clean-ups to run after the import, starting from the stored
// choice.
class CMidiFileDlg : public QDialog {
    Q_OBJECT
  public:
    CMidiFileDlg(const MidiImportOptions& current, QWidget* parent = nullptr);
    MidiImportOptions options() const;

  private:
    QCheckBox* removeOverlapping_;
    QCheckBox* extendNotes_;
    QCheckBox* shortenNotes_;
    QCheckBox* splitHands_;
    QCheckBox* quantise_;
    bool canSplitHands_;
};

// Lets a document import MIDI files: defaults, layout, the options asked through `ui`
// and the chosen clean-ups.
void installMidiImport(CKeystaveDoc& doc, IUserInterface& ui);

}  // namespace ks
