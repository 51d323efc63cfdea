// The "Set Custom Colours" dialog: the colour file as text, with Preview (apply the text
// to every view), Save and Close (write "colours.txt" and read it back) and Cancel (the
// palette as it was before the dialog).
#pragma once

#include <QDialog>
#include <functional>

#include "render/ColourScheme.h"

class QLabel;
class QPlainTextEdit;

namespace ks {

class IUserInterface;

class CCustomColoursDialog : public QDialog {
    Q_OBJECT
  public:
    // `workingFolder` and `programFolder`: where "colours.txt" is read from and written
    // to; `redraw` repaints every view.
    CCustomColoursDialog(IUserInterface& ui, QString workingFolder, QString programFolder,
                         std::function<void()> redraw, QWidget* parent = nullptr);

    QPlainTextEdit* edit() const { return edit_; }
    // Shown when there is no colours file yet and the built-in colours fill the box.
    QLabel* builtInNote() const { return note_; }
    void preview();
    void saveAndClose();
    void reject() override;

  private:
    IUserInterface& ui_;
    QString workingFolder_;
    QString programFolder_;
    std::function<void()> redraw_;
    Palette before_;
    bool wasBuiltIn_ = true;
    QPlainTextEdit* edit_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace ks
