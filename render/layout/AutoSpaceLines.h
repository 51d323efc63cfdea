// Auto Space Lines on Pages: evens out the free space between the lines of each page.
#pragma once

#include "PageGeometry.h"
#include "model/Score.h"

namespace ks {

// For every page: measures the gaps between the page top, each line (its stave
// widened by what its bars reach) and the page bottom less the footer reserve, and
// shifts each line by the difference between its gap and the mean gap (half of it
// for a page's first line), in whole units. Then lays the score out again. Returns
// whether any line moved; with no change the layout is left as it was.
bool autoSpaceLines(CScore& score, const PageGeometry& page);

}  // namespace ks
