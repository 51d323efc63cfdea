// Pitch ranges: the pitches each bar and each line must show.
#pragma once

#include "model/Score.h"

namespace ks {

// Per bar: the highest and lowest note of the shown parts, the pitches reached by
// stems when only the used stave lines are shown, and the top of a key signature
// shown at the bar.
void barPitchRanges(CScore& score);

// Per line: the pitch range of its stave, from the default range widened by its bars
// (or, showing only used lines, just what its bars use, rounded out to whole
// black-key groups).
void linePitchRanges(CScore& score);

// Conventional lines: the smallest gap between the hands grows until the lower hand's
// highest note and the upper hand's lowest note (with room for a ledger line) clear
// middle C.
void conventionalHandGaps(CScore& score);

}  // namespace ks
