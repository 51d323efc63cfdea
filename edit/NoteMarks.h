// Accents, staccato and fingering: the note-marks event (one per time of a track) whose
// bits say which marks stand at that time and whose offset moves them up or down.
#pragma once

#include "edit/EditContext.h"

namespace ks {

struct NoteMarkOutcome {
    EditOutcome outcome = EditOutcome::Nothing;
    int message = 0;  // a text of the text table to show; 0 = none
};

// Toggles one mark bit (NoteMark::Accent, a finger bit or NoteMark::Staccato) on the
// marks event at the cursor start: "Add Ornament" or "Remove Ornament", the offset reset.
// Every selected note (tie continuations aside) must start at the cursor start, else the
// fingering message and nothing changes.
NoteMarkOutcome toggleNoteMark(EditContext& ctx, int32_t bit);

// On the marks events at the selected notes' times: clears the first set bit in the
// order finger 5..1, accent, staccato (or with `all` every bit); "Clear Ornament".
EditOutcome clearNoteMarks(EditContext& ctx, bool all);

// Moves the marks at the selected notes' times by `delta` steps; "Move Ornament".
EditOutcome moveNoteMarks(EditContext& ctx, int32_t delta);

// Whether any marks event of any track has a non-zero offset.
bool anyNoteMarkOffset(const CScore& score);

// Every offset of every track back to 0; "Reset All Adjustments To Fingering".
EditOutcome resetNoteMarkOffsets(EditContext& ctx);

}  // namespace ks
