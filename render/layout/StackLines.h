// Stacking lines on pages: vertical placement, page breaks and each line's horizontal
// extent, then the bar positions of every line.
#pragma once

#include <cstdint>

#include "PageGeometry.h"
#include "StaveGeometry.h"
#include "model/Score.h"

namespace ks {

// Where the music starts on the first page: the top margin, moved below the title and
// subtitle boxes and the artist line when they are shown.
int32_t firstPageContentTop(const CScore& score, const PageGeometry& page, double u);

// The vertical shift a line uses, in units: `yt` on a conventional line when set,
// else `y`.
int32_t verticalShiftOf(const CScoreLine& line);
// Adds `delta` to the shift the line uses (on a conventional line `yt`, which takes
// over from `y` when it was not set); the result stays inside the int32 range and off
// the "not set" marker.
void addVerticalShift(CScoreLine& line, int64_t delta);

// Space above and below the stave from the lyric position preference.
void applyLyricSpaces(CScoreLine& line, const CDisplaySettings& prefs);

// The line's indents and its left and right ends on the page.
void placeLineHorizontally(CScoreLine& line, const CScore& score, const PageGeometry& page,
                           double u);

// After this every line has its page, vertical position (stave top, bottom, origin)
// and horizontal extent; lines follow each other down a page with their spaces and
// shifts, a line passing the page's bottom less its footer reserve starts the next
// page (a line taller than a page is placed alone on a fresh page), and the page
// array lists the lines of each page. Bars carry their flags and positions.
void stackLines(CScore& score, const PageGeometry& page);

}  // namespace ks
