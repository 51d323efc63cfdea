// Which way a chord's stem points.
#pragma once

#include "model/Score.h"

namespace ks {

// A stem forced by the user keeps its direction; otherwise the right-hand parts point
// up and the left-hand parts down (or, when both parts of a hand have tracks, the first
// part up and the second down) unless the preference to show the hand by the stem is
// off; remaining chords follow their stem balance (down when negative).
bool stemPointsUp(const CScore& score, int part, const CChord& chord);

// A beam's chords share one direction: the first of them with a fixed direction (a
// user's flip, or the turn given to avoid the other hand) decides for all; otherwise
// the part rules; otherwise the stem balance of the whole group.
bool beamPointsUp(const CScore& score, int part, const CTrack& track, int beam);

// The direction of chord `chord` of `track`, shown in `part`: its beam's when beamed.
bool chordPointsUp(const CScore& score, int part, const CTrack& track, int chord);

}  // namespace ks
