// Margins on a printer: the page a printer can print on is smaller than the paper, by
// unprintable strips along its edges. Margins that reach into a strip are raised to it.
#pragma once

#include <cstdint>

#include "render/layout/PageGeometry.h"

namespace ks {

// A printer's unprintable strips along each edge of the paper, in page units.
struct UnprintableStrips {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct MarginCorrection {
    PageGeometry page;    // the page with the corrected margins
    bool raised = false;  // a margin lay outside the printable area (the user is told)
};

// Margins (measured from the paper's edges) smaller than the strip on their side would
// print outside the printable area: each such margin becomes the strip's width; the
// others stay as they are.
MarginCorrection correctForPrintableArea(const PageGeometry& page, const UnprintableStrips& strips);

// The layout page shown while printing page `printedPage` (from 1): its index from 0,
// kept within the layout's `pageCount` pages.
int printedPageIndex(int printedPage, int pageCount);

}  // namespace ks
