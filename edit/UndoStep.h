// One undo step around a command's change, kept only when the change changed something.
#pragma once

#include "storage/UndoHistory.h"

namespace ks {

// Records a step, runs `change` (which returns whether it changed anything), and drops
// the step again when nothing changed. Returns what `change` returned.
template <class Change>
bool recordStep(CUndoHistory& history, int labelId, int32_t kind, int32_t index, Change change) {
    const bool recorded = history.Push(labelId, kind, index);
    const bool changed = change();
    if (!changed && recorded) history.DiscardLast();
    return changed;
}

}  // namespace ks
