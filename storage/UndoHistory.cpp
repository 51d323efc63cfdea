#include "storage/UndoHistory.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>

#include "model/StringIds.h"
#include "model/TextTable.h"
#include "storage/AppPaths.h"
#include "storage/UndoSnapshot.h"

namespace ks {

namespace {

// Every history gets its own serial number, so two open documents never share files.
std::atomic<uint32_t> nextSerial{0};

qint64 fileSize(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

// Cuts a snapshot file back to `length` bytes.
void cutFile(const QString& path, int64_t length) {
    if (QFileInfo(path).isFile()) QFile::resize(path, length);
}

UndoMenuText menuText(const std::vector<CUndoItem>& items, int empty, int prefix, int shortcut) {
    if (items.empty()) return {false, text(empty)};
    return {true, text(prefix) + items.back().label + text(shortcut)};
}

}  // namespace

CUndoHistory::CUndoHistory(CScore* score) : serial_(nextSerial++), score_(score) {
    Reset();
}

CUndoHistory::~CUndoHistory() {
    QFile::remove(undoPath_);
    QFile::remove(redoPath_);
}

void CUndoHistory::formatPaths() {
    const QString folder = tempFolder();
    undoPath_ = pathIn(folder, QString::asprintf("KSV-%08X-UNDO.tmp", serial_));
    redoPath_ = pathIn(folder, QString::asprintf("KSV-%08X-REDO.tmp", serial_));
}

void CUndoHistory::Reset() {
    savedPosition_ = 0;
    undo_.clear();
    redo_.clear();
    if (!undoPath_.isEmpty()) QFile::remove(undoPath_);
    if (!redoPath_.isEmpty()) QFile::remove(redoPath_);
    formatPaths();
}

void CUndoHistory::setScore(CScore* score) {
    score_ = score;
    Reset();
}

bool CUndoHistory::writeStep(const QString& path, std::vector<CUndoItem>& list, int32_t kind,
                             int32_t index, const QString& label) {
    CMarkupFile file;
    if (!buildUndoSnapshot(file, *score_, kind, index)) return false;
    const int64_t offset = fileSize(path);
    // A failed append is cut back by the writer, so the file keeps only whole steps.
    if (!file.Save(path, true)) return false;
    list.push_back({kind, index, offset, label});
    return true;
}

bool CUndoHistory::Push(const QString& label, int32_t kind, int32_t index) {
    if (!score_) return false;
    if (stopPlayback) stopPlayback();
    if (!hasUndoTarget(*score_, kind, index)) return false;
    const bool savedStateAhead = static_cast<int32_t>(undo_.size()) < savedPosition_;
    const bool written = writeStep(undoPath_, undo_, kind, index, label);
    // The command changes the score next, so the steps that could be redone are gone.
    cutFile(redoPath_, 0);
    redo_.clear();
    if (savedStateAhead || !written) savedPosition_ = -1;
    return written;
}

bool CUndoHistory::Push(int labelId, int32_t kind, int32_t index) {
    return Push(text(labelId), kind, index);
}

void CUndoHistory::DiscardLast() {
    if (undo_.empty()) return;
    cutFile(undoPath_, undo_.back().offset);
    undo_.pop_back();
}

bool CUndoHistory::takeStep(std::vector<CUndoItem>& from, const QString& fromPath,
                            std::vector<CUndoItem>& to, const QString& toPath) {
    if (!score_ || from.empty()) return false;
    if (stopPlayback) stopPlayback();
    const CUndoItem item = from.back();
    const bool targetExists = hasUndoTarget(*score_, item.kind, item.index);
    // Without a record of the present state the step could not be taken again, so
    // nothing changes when that record cannot be written.
    if (targetExists && !writeStep(toPath, to, item.kind, item.index, item.label)) return false;
    // An unreadable snapshot (or one whose target is gone) restores nothing; the step is
    // dropped all the same.
    // The zoom is the window's view of the score, not part of any step: it stays.
    const int32_t zoom = score_->prefs.zoom;
    if (targetExists) restoreUndoSnapshot(fromPath, item.offset, *score_, item.kind, item.index);
    score_->prefs.zoom = zoom;
    cutFile(fromPath, item.offset);
    from.pop_back();
    if (!targetExists) return false;

    // A track step's chords and beams are rebuilt as it is read.
    if (item.kind == UndoKind::Score) {
        score_->rebuildBars();
        score_->rebuildAllTracks();
    }
    if (refresh) refresh(item.kind, item.index);
    return true;
}

bool CUndoHistory::Undo() {
    return takeStep(undo_, undoPath_, redo_, redoPath_);
}

bool CUndoHistory::Redo() {
    return takeStep(redo_, redoPath_, undo_, undoPath_);
}

bool CUndoHistory::IsModified() const {
    return savedPosition_ != static_cast<int32_t>(undo_.size());
}

void CUndoHistory::MarkSaved() {
    savedPosition_ = static_cast<int32_t>(undo_.size());
}

void CUndoHistory::MarkModified() {
    savedPosition_ = -1;
}

UndoMenuText CUndoHistory::undoMenuText() const {
    return menuText(undo_, StringId::NothingToUndo, StringId::UndoPrefix, StringId::UndoShortcut);
}

UndoMenuText CUndoHistory::redoMenuText() const {
    return menuText(redo_, StringId::NothingToRedo, StringId::RedoPrefix, StringId::RedoShortcut);
}

}  // namespace ks
