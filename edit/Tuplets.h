// Tuplets: converting selected notes into a tuplet, and Tuplet mode, where the cursor
// walks the tuplet's slots and notes are inserted, moved and deleted inside it.
#pragma once

#include <functional>

#include "edit/EditContext.h"

namespace ks {

// What the conversion asks the user.
struct TupletQuestions {
    std::function<int()> noteCount;           // n notes in the tuplet; 0 cancels
    std::function<bool(int textId)> confirm;  // a Yes/No question; true for Yes
};

// Index of the tuplet marker in `track` starting at `tick`, or -1.
int tupletMarkerAt(const CTrack& track, int32_t tick);

// The selection is exactly one tuplet: every selected note is a tuplet note inside the
// span of the marker at the box start.
bool selectionIsOneTuplet(const CScore& score);

// The largest (ppqn / 8) x 2^k not above 1.5 x span (ppqn / 8 when even that is above).
int32_t tupletLength(int32_t ppqn, int32_t span);

// Converts the selected notes of one bar into a tuplet of `noteCount()` notes ("Convert
// Tuplet"), then enters Tuplet mode. Refused when the box spans bars or a tuplet marker
// stands in it; the questions may cancel.
EditOutcome convertToTuplet(EditContext& ctx, const TupletQuestions& questions);

// Enter (from note editing, with the selection one tuplet) or leave Tuplet mode.
EditOutcome toggleTupletMode(CScore& score);

// Tuplet mode commands: the cursor one pitch up/down, one slot earlier/later, the next
// or previous note of the tuplet.
EditOutcome tupletCursorPitch(CScore& score, int direction);
EditOutcome tupletCursorSlot(CScore& score, int direction);
EditOutcome tupletStepNote(CScore& score, int direction);
// Inserts a note of the slot's length at the cursor as a tuplet note ("Insert Notes").
EditOutcome tupletInsert(EditContext& ctx);
// Deletes every note of the tuplet ("Delete Notes").
EditOutcome tupletDeleteAll(EditContext& ctx);

}  // namespace ks
