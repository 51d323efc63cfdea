// The Music-mode line: the whole piece as one long line.
#pragma once

#include "PageGeometry.h"
#include "model/Score.h"

namespace ks {

// The left and right ends of the single long line: from the left margin plus its
// indent, as long as all page lines together. Sets the line's indents.
void placeLongLine(CScoreLine& line, const CScore& score, const PageGeometry& page, double u);

// Lays out the whole piece as one line below the top margin and positions every bar
// along it (bars shorter than the first bar are widened so short pick-up or odd bars
// stay readable; only the first bar's prefix is kept free). Needs the page layout to
// be current (its line lengths set the long line's length). Overwrites the bars'
// page-mode positions and flags; a page relayout restores them.
CScoreLine layoutMusicLine(CScore& score, const PageGeometry& page);

}  // namespace ks
