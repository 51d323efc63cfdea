// Inserting, deleting and cropping whole bars. Each moves the notes and marks of every
// track, the key and time signatures, voltas and bar records, and re-derives the
// tracks and the performance map; recording the undo step, asking and laying the pages
// out again are the caller's part.
#pragma once

#include <vector>

#include "model/Score.h"

namespace ks {

// Inserts an empty bar at index `bar` (0 .. bar count; the bar count appends one). Its
// length is that of the signature in force at `bar`. Notes that sound across the
// insertion point are cut there and their rest continues after the new bar; ties across
// the new bar are undone. False when `bar` is out of range.
bool insertBar(CScore& score, int32_t bar);

// Deletes `count` bars from `first`: their notes and marks go, a note sounding into
// them is cut at their start, later music moves earlier, and key signatures inside
// them go. The cursor follows the music. False when nothing lies in the range.
bool deleteBars(CScore& score, int32_t first, int32_t count = 1);

// Keeps bars first .. last (inclusive) and deletes the others. False when the range
// holds no bar of the score.
bool cropToBars(CScore& score, int32_t first, int32_t last);

// Keeps the bars first .. last and, of all notes, only the given notes (indices into
// the notes of `track`, with their tied pieces), which stay in that track; every other
// track loses its notes. The cursor box moves to the start keeping its width.
bool cropToNotes(CScore& score, int32_t first, int32_t last, int track,
                 const std::vector<int>& notes);

// The notes a selection box takes in a track: each note starting before `end` that
// ends after `start`, is no tie continuation and lies within [pitchLow, pitchHigh].
std::vector<int> notesInBox(const CTrack& track, int32_t start, int32_t end, int32_t pitchLow,
                            int32_t pitchHigh);

// Clears tie flags that lead nowhere: a tie start without a note of its pitch
// continuing at its end, a tie end without a note of its pitch tied into its start.
void mendTies(CTrack& track);

// The note indices of the tie chains started by `notes` (each chain's pieces).
std::vector<int> withTiedPieces(const CTrack& track, const std::vector<int>& notes);

}  // namespace ks
