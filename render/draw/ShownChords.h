// Finding the chords of the shown parts by time.
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// Index of the first chord of the track that starts at or after `tick`.
int firstChordFrom(const CTrack& track, int32_t tick);

// Index of the chord that holds `tick` (the last chord starting at or before it), or -1.
int chordAt(const CTrack& track, int32_t tick);

// The earliest start of a note chord in bar `bar` over the shown parts, or -1.
int32_t firstNoteTickInBar(const CScore& score, int32_t bar);

// The end of the last note of the shown parts, or -1 when they have none.
int32_t lastShownNoteEnd(const CScore& score);

}  // namespace ks
