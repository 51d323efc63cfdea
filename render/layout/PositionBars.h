// Bar positions along a line.
#pragma once

#include <cstdint>

#include "PageGeometry.h"
#include "model/Score.h"

namespace ks {

// Weight of a bar in its line: its natural width scaled by its relative width, plus
// room for its beamed chords (never negative).
int64_t barWeight(const CScore& score, const CScoreBar& bar, double naturalWidth);

// After this the line has its horizontal extent on the page and its bars tile it from
// line.left: each bar's share of the line follows its weight, the fixed prefixes of the bars are
// taken out of the shares and added back in front of each bar, and each bar ends where the next
// begins. A short last line keeps the bar widths of a line with the usual number of bars and ends
// after its last bar. Spacing entries get their drawn x; the line is marked positioned.
void positionBars(CScore& score, int lineIndex, const PageGeometry& page);

}  // namespace ks
