// Which way a chord's stem points.
#pragma once

#include "model/Score.h"

namespace ks {

// A stem forced by the user keeps its direction; otherwise the right-hand parts point
// up and the left-hand parts down (or, when both parts of a hand have tracks, the first
// part up and the second down) unless the preference to show the hand by the stem is
// off; remaining chords follow their stem balance (down when negative).
bool stemPointsUp(const CScore& score, int part, const CChord& chord);

}  // namespace ks
