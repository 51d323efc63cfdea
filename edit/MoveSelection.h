// Moving, copying and transposing the selected notes: by the cursor keys with Ctrl, and
// at the end of a drag of the selection with the mouse.
#pragma once

#include "edit/EditContext.h"

namespace ks {

// Moves the selected notes of the current part's track by `dt` ticks and `dp`
// semitones (a copy with `copy`). The offsets are limited so the notes stay within
// pitches 0..127 and at or after tick 0; a move that would land a note on an unselected
// note of the same pitch that it overlaps is refused. One undo step: "Move Notes",
// "Copy Notes", or "Transpose" for a pitch-only move; of the whole score when the
// score must grow to hold the moved notes, else of the track. Grace notes and lyrics
// go with their notes. Afterwards the moved (or copied) notes are selected and the box
// fitted to them.
EditOutcome moveSelection(EditContext& ctx, int32_t dt, int32_t dp, bool copy);

}  // namespace ks
