// CTrackSplitDlg: the source track (the current part's), the two destinations (by the
// current part: Right Hand and its second part from part 0, Left Hand and its second
// part from part 2, else Right Hand and Left Hand) and the method (the first). The
// same part for both destinations is refused with a message and the dialog stays open.
#pragma once

#include <QDialog>
#include <vector>

#include "edit/dialogs/DialogMessages.h"
#include "model/Score.h"
#include "model/TrackSplit.h"

class QComboBox;
class QRadioButton;

namespace ks {

// The name of a pitch as the split dialog shows it: "Middle C" for 60, else the
// letter, sharp and octave ("F#5").
QString cursorPitchName(int pitch);

// The destinations the dialog proposes from the current part.
std::pair<int, int> proposedDestinations(int currentPart);

class CTrackSplitDlg : public QDialog {
    Q_OBJECT
  public:
    CTrackSplitDlg(const CScore& score, int cursorPitch, QWidget* parent = nullptr);

    // The choice, without the names of the new tracks.
    SplitRequest request() const;
    void accept() override;

    QComboBox* source() const { return source_; }
    QComboBox* destination1() const { return destination1_; }
    QComboBox* destination2() const { return destination2_; }
    QRadioButton* method(SplitMethod m) const { return methods_[size_t(m)]; }
    DialogMessage message = defaultDialogMessage();

  private:
    int pitch_;
    QComboBox* source_;
    QComboBox* destination1_;
    QComboBox* destination2_;
    std::vector<QRadioButton*> methods_;
};

}  // namespace ks
