// Whole-track tidying operations on a score. Each changes the notes and re-derives the
// tracks it touched; recording the undo step and asking questions is the caller's part.
// They work on notes as played: the tied pieces a chord rebuild split a note into count
// as one note (its tie chain), so a chord's neighbours never decide its length.
#pragma once

#include "model/Score.h"

namespace ks {

// Deletes every note (with its whole tie chain) shorter than a demisemiquaver
// (ppqn / 8). Returns the number of note pieces removed.
int removeShortNotes(CTrack& track, int32_t ppqn);

// In every track: each note is cut at the start of the first following note that
// begins inside it, unless that note starts and ends exactly with it (a note sharing its
// start with a note of another end is cut to nothing); then short notes go.
// Returns whether any note changed.
bool removeOverlaps(CScore& score);

// In every track: every rest that follows a chord (directly or after other rests) is
// absorbed by lengthening every note of that chord. Rests before the first chord stay.
bool extendNotes(CScore& score);

// Every note whose last tick lies in a later bar than its start is cut to end at the
// start of the next bar; then short notes go.
bool shortenNotesAtBarLines(CScore& score);

}  // namespace ks
