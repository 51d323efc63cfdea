// The Score Settings dialog: titles, the track each part shows (with renaming, and a
// new track created on OK), and the key. Every change is stored in the score at once and
// the pages behind are laid out again; the dialog is one undo step "Score Settings",
// dropped when nothing changed, and Cancel takes it back.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "edit/ScoreSettings.h"
#include "edit/dialogs/DialogMessages.h"
#include "storage/UndoHistory.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ks {

class CScoreSettingsDlg : public QDialog {
    Q_OBJECT
  public:
    CScoreSettingsDlg(CScore& score, CUndoHistory& history, std::function<void()> relayout,
                      QWidget* parent = nullptr);

    ScoreSettings settings() const { return settings_; }
    void accept() override;
    void reject() override;
    // Renames the track the part's list shows (a new track: after the message).
    void renamePart(int part);

    QLineEdit* titleEdit() const { return edits_[0]; }
    QLineEdit* subtitleEdit() const { return edits_[1]; }
    QLineEdit* artistEdit() const { return edits_[2]; }
    QLineEdit* copyrightEdit() const { return edits_[3]; }
    QComboBox* partList(int part) const { return parts_[size_t(part)]; }
    QComboBox* keyList() const { return key_; }
    QCheckBox* minorBox() const { return minor_; }

    DialogMessage message = defaultDialogMessage();
    // Asks for a track's new name; nothing when cancelled. The name dialog by default.
    std::function<std::optional<QString>(const QString& name)> askName;

  private:
    void fillPartLists();
    void fillKeys();
    void changed();

    CScore& score_;
    CUndoHistory& history_;
    std::function<void()> relayout_;
    ScoreSettings before_;
    ScoreSettings settings_;
    bool pushed_ = false;
    bool updating_ = false;
    std::array<QLineEdit*, 4> edits_{};
    std::array<QComboBox*, kPartCount> parts_{};
    QComboBox* key_ = nullptr;
    QCheckBox* minor_ = nullptr;
};

}  // namespace ks
