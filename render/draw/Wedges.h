// Crescendo and diminuendo wedges. In Page and Layout modes a wedge that crosses lines
// is drawn in pieces, one per line.
#pragma once

#include <vector>

#include "render/draw/DrawContext.h"

namespace ks {

// One piece of a wedge: the ticks of the wedge on one line, as offsets from the start
// of the bar the piece starts in.
struct CrescendoSlice {
    int32_t bar = 0;
    int32_t startOffset = 0;
    int32_t endOffset = 0;
    int32_t line = 0;
    int32_t page = 0;
    bool holdsStart = false;  // the piece holds the wedge's first tick
    bool holdsEnd = false;    // ... and its last

    bool operator==(const CrescendoSlice&) const = default;
};

// The pieces of a wedge event (type 5 or 6), first line first. A wedge that lies on one
// line, or any wedge outside Page and Layout modes, has one piece; a wedge outside the
// laid-out bars has none.
std::vector<CrescendoSlice> crescendoSlices(const CDrawContext& ctx, const CEvent& wedge);

}  // namespace ks
