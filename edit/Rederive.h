// Re-deriving a track after an edit of some of its notes: only the bars the edit touched
// get new chords, so an edit of one bar costs the same in a long score as in a short one.
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// Rebuilds the chords of `track` over the bars holding ticks [from, to) (widened to the
// chords already there, so no chord is cut), then its beams. A track whose chords do not
// cover the score is rebuilt whole.
void rederiveTicks(CScore& score, int track, int32_t from, int32_t to);

}  // namespace ks
