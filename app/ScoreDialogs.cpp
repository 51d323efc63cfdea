#include "app/ScoreDialogs.h"

#include "edit/dialogs/LyricSettingsDialog.h"
#include "edit/dialogs/ScoreSettingsDialog.h"
#include "edit/dialogs/SplitTrackDialog.h"
#include "edit/dialogs/TrackDialogs.h"
#include "edit/dialogs/TransposeDialog.h"

namespace ks {

std::optional<TransposeChoice> QtScoreDialogs::chooseTranspose() {
    CTransposeDlg dialog(parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return TransposeChoice{dialog.amount(), dialog.allTracks()};
}

std::optional<NewTrackChoice> QtScoreDialogs::chooseNewTrack() {
    CTrackAddNewDlg dialog(parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return NewTrackChoice{dialog.title(), dialog.part()};
}

std::optional<int> QtScoreDialogs::chooseTrackToDelete(const CScore& score) {
    CTrackDeleteDlg dialog(score, parent_);
    if (dialog.exec() != QDialog::Accepted || dialog.track() < 0) return std::nullopt;
    return dialog.track();
}

std::optional<MergeChoice> QtScoreDialogs::chooseMerge(const CScore& score) {
    CTrackMergeDlg dialog(score, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return MergeChoice{dialog.first(), dialog.second(), dialog.part()};
}

std::optional<SplitRequest> QtScoreDialogs::chooseSplit(const CScore& score, int cursorPitch) {
    CTrackSplitDlg dialog(score, cursorPitch, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.request();
}

void QtScoreDialogs::scoreSettings(CScore& score, CUndoHistory& history,
                                   const std::function<void()>& relayout) {
    CScoreSettingsDlg dialog(score, history, relayout, parent_);
    dialog.exec();
}

void QtScoreDialogs::lyricSettings(CScore& score, CUndoHistory& history,
                                   const std::function<void()>& relayout) {
    CLyricSettingsDlg dialog(score, history, relayout, parent_);
    dialog.exec();
}

}  // namespace ks
