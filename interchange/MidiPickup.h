// A piece that starts with an incomplete bar: the time signatures of the file show the
// short bar (a first signature that lasts less than a bar of the next one); the piece is
// moved on so that the short bar ends where the first full bar begins.
#pragma once

#include <functional>
#include <vector>

#include "interchange/MidiSignatures.h"

namespace ks {

// Ticks the piece is to move on by (0: no pickup), with `sigs` (in score ticks, time
// order) rewritten for the moved piece: the pickup's own signature gone and the first
// full bar's one at tick 0. Only a short bar that holds notes (the first starts at
// `firstNote`) is a pickup. `barLength(nom, denom)` gives the ticks of a bar.
int32_t takePickup(std::vector<CMidiTimeSig>& sigs, int32_t firstNote,
                   const std::function<int32_t(int32_t, int32_t)>& barLength);

}  // namespace ks
