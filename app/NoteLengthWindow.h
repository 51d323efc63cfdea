// The note-length window: a small tool window with the sixteen note lengths drawn in
// the music font, the current one marked; a click makes a length current, and a button inserts a
// note of that length at the cursor. It shows only while the active document is in Music mode.
#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;

namespace ks {

class CNoteLengthWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CNoteLengthWindow(QWidget* parent = nullptr);

    // Marks the current length (after it changed elsewhere).
    void refresh();
    QButtonGroup* buttons() const { return buttons_; }

    // Called after a click made a length current.
    std::function<void(int index)> lengthChosen;
    // Called when the Insert Note button is pressed: a note of the current length is
    // inserted at the cursor.
    std::function<void()> insertRequested;

  private:
    QButtonGroup* buttons_;
};

}  // namespace ks
