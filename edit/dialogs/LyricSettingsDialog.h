// The Lyric Settings dialog: alignment, position and the three text offsets. Every
// change is stored at once and the pages behind are laid out again; the dialog is one
// undo step "Lyric Settings" of the display settings, dropped when nothing changed, and
// Cancel takes it back.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "edit/ScoreSettings.h"
#include "storage/UndoHistory.h"

class QComboBox;
class QSpinBox;

namespace ks {

class CLyricSettingsDlg : public QDialog {
    Q_OBJECT
  public:
    CLyricSettingsDlg(CScore& score, CUndoHistory& history, std::function<void()> relayout,
                      QWidget* parent = nullptr);
    void accept() override;
    void reject() override;

    QComboBox* alignment() const { return alignment_; }
    QComboBox* position() const { return position_; }
    QSpinBox* offset(int i) const { return offsets_[size_t(i)]; }

  private:
    void changed();

    CScore& score_;
    CUndoHistory& history_;
    std::function<void()> relayout_;
    CDisplaySettings before_;
    bool pushed_ = false;
    QComboBox* alignment_;
    QComboBox* position_;
    std::array<QSpinBox*, 3> offsets_{};
};

}  // namespace ks
