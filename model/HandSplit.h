// The hand assignment of one piano track: which notes the right hand plays and which
// the left, from pitch, voice leading, chord shape, hand span and time.
#pragma once

#include <vector>

#include "model/Track.h"

namespace ks {

// For every note of the track (by index): 1 for the right hand, 2 for the left. Notes
// are grouped by their start; each group is cut at one pitch (the notes above go to the
// right hand), chosen over the whole piece at once (a shortest path through the cuts of
// every group) to keep each hand within a playable span, near its usual register, and
// moving little from one group to the next. Tie continuations are given the hand of the
// note they continue by the caller.
std::vector<int> assignHands(const CTrack& track, int32_t ppqn);

}  // namespace ks
