// The dialogs the score commands ask through: the editor shows the track, transpose and
// settings dialogs; tests answer from a script.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "model/Score.h"
#include "model/TrackSplit.h"
#include "storage/UndoHistory.h"

class QWidget;

namespace ks {

struct TransposeChoice {
    int amount = 0;
    bool allTracks = false;
};
struct NewTrackChoice {
    QString title;
    int part = -1;
};
struct MergeChoice {
    int first = 0, second = 1, part = -1;
};

class IScoreDialogs {
  public:
    virtual ~IScoreDialogs() = default;
    virtual std::optional<TransposeChoice> chooseTranspose() = 0;
    virtual std::optional<NewTrackChoice> chooseNewTrack() = 0;
    virtual std::optional<int> chooseTrackToDelete(const CScore& score) = 0;
    virtual std::optional<MergeChoice> chooseMerge(const CScore& score) = 0;
    virtual std::optional<SplitRequest> chooseSplit(const CScore& score, int cursorPitch) = 0;
    // The settings dialogs record their own undo step and preview through `relayout`.
    virtual void scoreSettings(CScore& score, CUndoHistory& history,
                               const std::function<void()>& relayout) = 0;
    virtual void lyricSettings(CScore& score, CUndoHistory& history,
                               const std::function<void()>& relayout) = 0;
};

// The dialogs of edit/dialogs, modal over `parent`.
class QtScoreDialogs : public IScoreDialogs {
  public:
    explicit QtScoreDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<TransposeChoice> chooseTranspose() override;
    std::optional<NewTrackChoice> chooseNewTrack() override;
    std::optional<int> chooseTrackToDelete(const CScore& score) override;
    std::optional<MergeChoice> chooseMerge(const CScore& score) override;
    std::optional<SplitRequest> chooseSplit(const CScore& score, int cursorPitch) override;
    void scoreSettings(CScore& score, CUndoHistory& history,
                       const std::function<void()>& relayout) override;
    void lyricSettings(CScore& score, CUndoHistory& history,
                       const std::function<void()>& relayout) override;

  private:
    QWidget* parent_;
};

}  // namespace ks
