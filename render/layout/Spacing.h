// Bar spacing: the spacing table of each bar (one entry per chord start and one at
// the bar end) and the bar's natural width in widened ticks.
#pragma once

#include "model/Score.h"

namespace ks {

// Rebuilds the spacing tables of bars first..last (first < 0: all bars). After it,
// each bar's entries are unique by tick, keep the shortest chord starting there, and
// sit at their tick offset plus the room added after every earlier entry shorter
// than half a beat; naturalWidth is the bar length plus that room and beamedChords
// counts the bar's beamed chords.
void buildSpacing(CScore& score, int32_t first, int32_t last);

}  // namespace ks
