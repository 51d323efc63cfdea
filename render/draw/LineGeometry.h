// What the drawing of one line needs to know about its stave, worked out once per line
// from the layout records: the horizontal span, the range of pitches drawn, the y of
// the outer stave lines and which hands' staves are shown.
#pragma once

#include <cstdint>

#include "render/draw/DrawContext.h"

namespace ks {

struct LineGeometry {
    int index = 0;
    CScoreLine line;  // the layout's line, its hand gap recomputed from the preferences
    int32_t firstBar = 0;
    int32_t endBar = 0;       // one past the last bar of the line
    int32_t x0 = 0;           // start of the first bar
    int32_t x1 = 0;           // end of the last bar
    int32_t bottomPitch = 0;  // lowest and highest pitch of the drawn stave
    int32_t topPitch = 0;
    bool conventional = false;  // conventional staves (stave types 3 and 4, Page or Layout)
    bool onlyUsed = false;      // only the stave lines in use are shown
    int32_t topLineY = 0;       // y of the highest and lowest stave line drawn
    int32_t bottomLineY = 0;
    bool upperShown = true;  // the right hand's stave is shown (the range crosses 70..72)
    bool lowerShown = true;  // the left hand's stave is shown (the range crosses 49..50)

    int32_t y(int32_t pitch, double u) const { return pitchToY(line, u, pitch); }
};

LineGeometry lineGeometry(const CDrawContext& ctx, int lineIndex);

// With "Use Ledger Lines" or "Extend Stave on Affected Bars" the full-width stave keeps
// to the default range (notes beyond it get ledger lines or a per-bar extension), unless
// only the lines in use are shown.
bool skippedOutsideDefault(const CDrawContext& ctx, const LineGeometry& g, int32_t pitch);

// The range [low, high] of the line covers both pitches.
bool rangeCrosses(const LineGeometry& g, int32_t low, int32_t high);

// The line is drawn on the current page (Page and Layout modes draw one page at a time).
bool lineOnDrawnPage(const CDrawContext& ctx, const CScoreLine& line);

}  // namespace ks
