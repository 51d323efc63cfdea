#include "storage/UndoSnapshot.h"

#include "storage/ScoreReader.h"
#include "storage/ScoreWriter.h"
#include "storage/UndoHistory.h"

namespace ks {

namespace {

const QString kRoot = QStringLiteral("keystaves");
const QString kUndo = QStringLiteral("undo");

bool inRange(int32_t index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}

// The display settings as a new document has them before any are read.
void resetSettings(CScore& score) {
    CScore defaults;
    defaults.applyBuiltInDefaults();
    score.prefs = defaults.prefs;
    score.midi = defaults.midi;
    score.font = defaults.font;
}

// Whether the first item of the document is the root start tag: the only check the
// reader can fail, made before anything in the score is touched.
bool startsWithRoot(const CMarkupFile& file) {
    for (const CMarkupElement& e : file.elements()) {
        if (e.type == CMarkupElement::kText && e.text.trimmed().isEmpty()) continue;
        return e.type == CMarkupElement::kStartTag && e.name == kRoot;
    }
    return false;
}

}  // namespace

bool hasUndoTarget(const CScore& score, int32_t kind, int32_t index) {
    switch (kind) {
        case UndoKind::Score:
        case UndoKind::Settings:
            return true;
        case UndoKind::Track:
            return inRange(index, score.tracks.size());
        case UndoKind::Bar:
            return inRange(index, score.bars.size());
        case UndoKind::Line:
            return inRange(index, score.lines.size());
        default:
            return false;
    }
}

bool buildUndoSnapshot(CMarkupFile& file, const CScore& score, int32_t kind, int32_t index) {
    if (!hasUndoTarget(score, kind, index)) return false;
    ScoreWriter w(file);
    w.open(kRoot);
    switch (kind) {
        case UndoKind::Score:
            w.writeScore(score);
            break;
        case UndoKind::Track:
            w.open(kUndo);
            w.writeTrack(score.tracks[static_cast<size_t>(index)]);
            w.close(kUndo);
            break;
        case UndoKind::Bar:
            w.open(kUndo);
            // Written even when every attribute is a default, so undo puts defaults back.
            w.writeBar(score.bars[static_cast<size_t>(index)], true);
            w.close(kUndo);
            break;
        case UndoKind::Line:
            w.open(kUndo);
            w.writeLine(score.lines[static_cast<size_t>(index)]);
            w.close(kUndo);
            break;
        case UndoKind::Settings:
            w.writePreferences(score);
            break;
    }
    w.writeSelection(score.selection);
    w.close(kRoot);
    return true;
}

bool restoreUndoSnapshot(const QString& path, int64_t offset, CScore& score, int32_t kind,
                         int32_t index) {
    if (!hasUndoTarget(score, kind, index)) return false;
    CMarkupFile file;
    if (!file.Load(path, offset) || !startsWithRoot(file)) return false;
    // The reader turns the settings' key into the key signature at bar 0; that belongs to
    // reading a whole document, not to a step that holds no key signatures.
    const std::vector<CKeySignature> keysigs = score.keysigs;
    if (kind == UndoKind::Score) score.Reset();
    if (kind == UndoKind::Settings) resetSettings(score);
    ScoreReader reader(score, nullptr);
    if (kind == UndoKind::Track || kind == UndoKind::Bar || kind == UndoKind::Line)
        reader.setUndoTarget(index);
    const bool ok = reader.readCurrent(file).ok;
    if (kind != UndoKind::Score) score.keysigs = keysigs;
    return ok;
}

}  // namespace ks
