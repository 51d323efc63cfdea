// CUndoHistory: the undo and redo steps of one score. Snapshots are not kept in memory:
// each step is a small document in the score file format appended to one of two
// temporary files, and the history keeps only where each step starts.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/Score.h"

namespace ks {

// What a step holds.
namespace UndoKind {
constexpr int32_t Score = 1;     // the whole score
constexpr int32_t Track = 2;     // one track, by index
constexpr int32_t Bar = 3;       // one bar, by index
constexpr int32_t Line = 4;      // one line, by index
constexpr int32_t Settings = 5;  // the display settings
}  // namespace UndoKind

struct CUndoItem {
    int32_t kind = 0;
    int32_t index = 0;   // the track, bar or line for kinds 2..4; 0 otherwise
    int64_t offset = 0;  // where the step's document starts in its snapshot file
    QString label;       // the command's name shown in the Edit menu
};

// The text and state of the Undo or Redo menu item.
struct UndoMenuText {
    bool enabled = false;
    QString text;
};

class CUndoHistory {
  public:
    // `score` may be null: the history then does nothing.
    explicit CUndoHistory(CScore* score);
    ~CUndoHistory();
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // Called before each step is taken or undone: stops playback, which reads the score.
    std::function<void()> stopPlayback;
    // Called after a step was undone or redone, with its kind and index, to refresh
    // layout and views. The score's chords, beams and bars are already rebuilt.
    std::function<void(int32_t kind, int32_t index)> refresh;

    // Empties both lists, deletes both files and makes the state the saved one.
    void Reset();
    // Follows the document to a new score; the history starts afresh.
    void setScore(CScore* score);

    // Records the present state of the target before a command changes it. Returns false
    // when no step could be recorded (unknown kind, no such target, or the snapshot could
    // not be written completely); then no item is added, the redo history is dropped
    // and the document counts as modified, since the command goes ahead regardless.
    bool Push(const QString& label, int32_t kind, int32_t index = 0);
    bool Push(int labelId, int32_t kind, int32_t index = 0);
    // Drops the last step without restoring it: for a command that changed nothing.
    void DiscardLast();

    // Take back the last step, or put back the last step taken back. False when there is
    // nothing to do, or when the present state could not be recorded for the other
    // direction (the score is then left unchanged).
    bool Undo();
    bool Redo();

    bool IsModified() const;
    void MarkSaved();
    void MarkModified();

    UndoMenuText undoMenuText() const;
    UndoMenuText redoMenuText() const;

    const std::vector<CUndoItem>& undoItems() const { return undo_; }
    const std::vector<CUndoItem>& redoItems() const { return redo_; }
    const QString& undoPath() const { return undoPath_; }
    const QString& redoPath() const { return redoPath_; }
    uint32_t serial() const { return serial_; }
    int32_t savedPosition() const { return savedPosition_; }

  private:
    // Appends a snapshot of the target to `path` and, when that worked, an item to `list`.
    bool writeStep(const QString& path, std::vector<CUndoItem>& list, int32_t kind, int32_t index,
                   const QString& label);
    bool takeStep(std::vector<CUndoItem>& from, const QString& fromPath, std::vector<CUndoItem>& to,
                  const QString& toPath);
    void formatPaths();

    std::vector<CUndoItem> undo_;
    std::vector<CUndoItem> redo_;
    QString undoPath_;
    QString redoPath_;
    uint32_t serial_ = 0;
    int32_t savedPosition_ = 0;  // length of the undo list when saved; -1 = unreachable
    CScore* score_ = nullptr;
};

}  // namespace ks
