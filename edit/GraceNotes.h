// Grace notes: one grace event per main note (at the main note's time, with its own
// pitch and the main note's), edited in Grace mode where the cursor stands on it.
#pragma once

#include "edit/EditContext.h"

namespace ks {

// The one selected note (tied pieces aside) of the current part's track, or -1.
int singleSelectedNote(const CScore& score);

// Whether the one selected note has a grace note (for the menu item's text).
bool selectedNoteHasGrace(const CScore& score);

// From note editing with one note selected: Grace mode on that note's grace note, which
// is created ("Add Grace Note") when it has none; the cursor takes the grace pitch.
EditOutcome enterGraceMode(EditContext& ctx);

// Back to note editing: the cursor on the main note, the notes there selected.
EditOutcome leaveGraceMode(CScore& score);

// Removes the grace note ("Remove Grace Note") and leaves Grace mode.
EditOutcome removeGraceNote(EditContext& ctx);

// Moves the grace pitch by `delta` within 0..127 ("Edit Grace Note").
EditOutcome changeGracePitch(EditContext& ctx, int32_t delta);

}  // namespace ks
