// Lines from bars: cuts the bars into lines of music.
#pragma once

#include "model/Score.h"

namespace ks {

// Bars per line a line asks for: its own count when set, else the preference (at
// least 1).
int32_t barsPerLineOf(const CScore& score, const CScoreLine& line);

// After this every bar belongs to exactly one line, lines hold consecutive bars in
// order, each line takes its own bar count (or the preference) and the last line the
// bars that remain; the first line takes the lead-in bar on top when the piece starts
// with one. Line flags hold the stave kind (reduced spacing, only used lines,
// conventional); other flag bits are cleared.
void linesFromBars(CScore& score);

// The piece starts with a partial lead-in bar that the first line takes on top of its
// bar count.
bool hasLeadInBar(const CScore& score);

}  // namespace ks
