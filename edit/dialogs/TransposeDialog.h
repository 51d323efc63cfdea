// CTransposeDlg: the interval (+12 .. -12 semitones, "+0 (Unison)" preselected) and
// whether every track is transposed or only the current part's.
#pragma once

#include <QDialog>

class QCheckBox;
class QListWidget;

namespace ks {

class CTransposeDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CTransposeDlg(QWidget* parent = nullptr);

    // Semitones: 12 minus the chosen list position.
    int amount() const;
    bool allTracks() const;

    QListWidget* intervals() const { return intervals_; }
    QCheckBox* allTracksBox() const { return all_; }

  private:
    QListWidget* intervals_;
    QCheckBox* all_;
};

}  // namespace ks
