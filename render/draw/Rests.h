// Rests: the part of a rest chord that falls in one bar, as a rest glyph of its value
// at the part's rest height (moved by the bar's rest offset), or as a whole-bar rest
// when the rest fills the bar.
#pragma once

#include <cstdint>

#include "render/draw/LineGeometry.h"

namespace ks {

// Where the piece is cropped: rests before `start` and from `end` on are hidden.
struct RestCrop {
    int32_t start = INT32_MIN;
    int32_t end = INT32_MAX;
};

// The part's rests are shown on this line: always, or with only the used lines shown,
// when the line reaches the hand's rest height.
bool restsShown(const LineGeometry& g, int part);

// The rest of chord `chordIndex` of the track within bar `bar`, as a "rest" element.
void drawRest(CDrawContext& ctx, const LineGeometry& g, int part, const CTrack& track,
              int chordIndex, int32_t bar, RestCrop crop);

}  // namespace ks
