// The documents undo steps are made of: a snapshot of one target (the whole score, a
// track, a bar, a line or the display settings) followed by the score's selection.
#pragma once

#include <QString>
#include <cstdint>

#include "model/Score.h"
#include "storage/MarkupFile.h"

namespace ks {

// Whether `score` holds the target a step of this kind and index refers to.
bool hasUndoTarget(const CScore& score, int32_t kind, int32_t index);

// Builds the snapshot document of the target into `file`. False, with nothing added,
// when there is no such target.
bool buildUndoSnapshot(CMarkupFile& file, const CScore& score, int32_t kind, int32_t index);

// Reads the snapshot document that starts at `offset` in `path` back into its target
// and restores the selection. False when the document cannot be read; the score is
// then unchanged.
bool restoreUndoSnapshot(const QString& path, int64_t offset, CScore& score, int32_t kind,
                         int32_t index);

}  // namespace ks
