// CGotoBarDlg: Go to Bar asks for a bar number, pre-filled with the cursor's bar. Any
// whole number is taken; the caller brings it into the score's bars.
#pragma once

#include <QDialog>

class QLineEdit;

namespace ks {

class CGotoBarDlg : public QDialog {
    Q_OBJECT
  public:
    CGotoBarDlg(int current, int count, QWidget* parent = nullptr);
    QLineEdit* edit() const { return edit_; }
    // The number typed (0 when the text is not a number, which becomes bar 1).
    int bar() const;

  private:
    QLineEdit* edit_;
};

}  // namespace ks
