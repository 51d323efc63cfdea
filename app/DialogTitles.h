// Keeps the title of every dialog and message box readable: a window manager cuts a
// title longer than its window ("Intern... ings...", "Halve... taves"), so each dialog
// is made wide enough for its title when it is shown.
#pragma once

#include <QObject>

class QDialog;

namespace ks {

// The width a window needs for `title` beside its frame's buttons, in pixels.
int widthForTitle(const QDialog& dialog);
// Makes `dialog` at least that wide (a message box through its layout, which fixes
// its size).
void fitTitle(QDialog& dialog);

// Fits the title of every dialog of the application as it is shown.
class DialogTitleFitter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ks
