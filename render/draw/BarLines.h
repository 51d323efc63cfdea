// Bar lines: plain, thick, double, repeat (with its dots) and final.
#pragma once

#include <cstdint>

#include "render/draw/LineGeometry.h"

namespace ks {

namespace BarStyle {
constexpr int32_t Single = 0;
constexpr int32_t Thick = 1;
constexpr int32_t Double = 2;
constexpr int32_t Repeat = 3;
constexpr int32_t Final = 4;
}  // namespace BarStyle

// The bar line of `style` at x. `direction` is +1 at a bar's left edge and -1 at its
// right edge: every further stroke lies that way from x, into the bar. Strokes run
// from the line's lowest to its highest stave line. Unknown styles draw nothing.
void DrawBarLine(CDrawContext& ctx, const LineGeometry& g, int32_t style, int32_t x, int direction);

}  // namespace ks
