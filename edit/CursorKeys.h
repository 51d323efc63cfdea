// The cursor keys of Music mode (Left, Right, Up, Down, Home, End with Shift and Ctrl):
// moving the cursor by the current note length or by bars and selecting the notes
// under it; with Ctrl moving the selection; in the annotation modes walking over and
// moving the picked annotation.
#pragma once

#include <functional>

#include "edit/EditContext.h"

namespace ks {

enum class CursorKey { Left, Right, Up, Down, Home, End };

struct CursorKeyContext {
    EditContext edit;
    int32_t step = 1;  // the current note length in ticks
    // Ctrl+Shift+Left/Right: shorten or lengthen the selected notes by `amount`; null
    // leaves the keys without effect.
    std::function<EditOutcome(int32_t amount)> changeNoteLengths;
};

EditOutcome cursorKey(CursorKeyContext& ctx, CursorKey key, bool shift, bool ctrl);

// The cursor start after Left (or Right) from `start`: to the step boundary before it
// (after it), or with `bars` to a bar start; within 0 .. score length - step.
int32_t steppedCursorTime(const CScore& score, int32_t start, int32_t step, int direction,
                          bool bars);

// Picks the first event whose time lies in [timestart, timestart + ppqn / 8] and whose
// height lies in the box's pitch range: in the annotation track in Annotation mode,
// else in the current part's track. The selection is cleared first; the box becomes
// that time range. True when an event was picked.
bool pickAtCursor(CScore& score);

}  // namespace ks
