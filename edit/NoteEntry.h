// Writing and removing notes at the cursor: insert a note, step to the next or previous
// note, delete the selection, select everything, change the selected notes' lengths and
// move them to another part.
#pragma once

#include "edit/EditContext.h"

namespace ks {

// Adds a note of `step` ticks at the cursor start and the cursor's top pitch in the
// current part's track (velocity 100), then advances the cursor by `step` (within the
// score) and selects the notes there. Nothing when the part shows no track or a note of
// that pitch already starts there. Undo "Insert Notes" of the track.
EditOutcome insertNoteAtCursor(EditContext& ctx, int32_t step);

// Collapses the cursor onto the next note starting at or after the cursor end (direction
// +1) or the nearest one starting before the cursor start (-1), tie continuations
// skipped; note editing; the notes there are selected. Nothing when there is none.
EditOutcome stepToNote(CScore& score, int direction);

// What Delete did: its outcome, and a message of the text table to show (0 = none).
struct DeleteOutcome {
    EditOutcome outcome = EditOutcome::Nothing;
    int message = 0;
};

// Deletes the selected notes ("Delete Notes"; lyrics and note marks left standing on
// rests inside the span go too), or the one selected object: a tempo mark while another
// remains ("Delete Tempo"), an annotation ("Annotation Editing") or a section marker.
DeleteOutcome deleteSelection(EditContext& ctx);

// The whole score, every pitch, selected; the box is fitted to the notes.
EditOutcome selectAll(CScore& score);

// Ctrl+Shift+Left/Right: every selected note's duration changes by `amount`; a result
// under ppqn / 8 leaves a note as it is, a lengthened note stops at the next note of its
// pitch. Refused when a lengthened note would overlap an unselected note of its pitch.
// Undo "Change Note Lengths" (of the score when it must grow).
EditOutcome changeNoteLengths(EditContext& ctx, int32_t amount);

// Moves the selected notes to the nearest part above (+1) or below (-1) that shows a
// track; nothing when there is none. Undo "Move Notes" of the score; the current part
// stays.
EditOutcome moveNotesToPart(EditContext& ctx, int direction);

}  // namespace ks
