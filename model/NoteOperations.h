// Edits of selected notes of one track: auto note length, phrase marks and stem
// direction. Notes are given as indices into the track's notes (the first piece of each
// tie chain); each operation re-derives the track. Recording the undo step is the
// caller's part.
#pragma once

#include <vector>

#include "model/Score.h"

namespace ks {

// Each note (with its tied pieces) is lengthened up to the start of the next note of the
// track that begins after it, or the end of the score, never beyond the end of its bar.
// Returns whether any note changed.
bool autoNoteLength(CScore& score, int track, const std::vector<int>& notes);

// Adds a phrase mark from the first to the last of the notes: a start and an end event.
// False when the notes span no more than a demisemiquaver (ppqn / 8).
bool makePhrase(CScore& score, int track, const std::vector<int>& notes);

// Index of the start event of the last phrase starting at `tick`, or -1.
int phraseStartingAt(const CTrack& track, int32_t tick);

// Removes the last phrase starting at `tick` (both its ends). False when there is none.
bool removePhrase(CScore& score, int track, int32_t tick);

// Forces the stems of the notes' chords: down when fewer of those chords point down than
// up, else up. False when there is nothing to flip.
bool flipStems(CScore& score, int track, const std::vector<int>& notes);

}  // namespace ks
