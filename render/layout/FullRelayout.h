// Full relayout: every layout pass, in order.
#pragma once

#include "PageGeometry.h"
#include "model/Score.h"

namespace ks {

// Rebuilds chords and beams, then the whole layout of the page view: lines, pitch
// ranges, spacing, page stacking and bar positions. Uses the score's unit, storing
// the font-size value first when the score has none.
void fullRelayout(CScore& score, const PageGeometry& page);

// Stores a newly measured unit; when it differs from the stored one the layout is
// rebuilt. Returns whether it changed.
bool setLayoutUnit(CScore& score, double u, const PageGeometry& page);

}  // namespace ks
