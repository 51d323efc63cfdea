// The keyboard guides: a small keyboard standing on end at each side of the stave, its
// black keys level with the stave lines they stand for.
#pragma once

#include <cstdint>

#include "render/draw/LineGeometry.h"

namespace ks {

// Width of each keyboard, in units, and how far its black keys reach.
constexpr double kKeyboardWidth = 9.0;
constexpr double kBlackKeyLength = 6.03;

// The stave line of a black key run through both keyboards, and the key itself drawn
// as a bar u high in the line's colour on each (from the outer edge of the left
// keyboard, from the stave end on the right one).
void drawBlackKey(CDrawContext& ctx, const LineGeometry& g, int32_t y, int32_t fromX, int32_t toX,
                  const Pen& pen);

// The outer edges of both keyboards and the borders between neighbouring white keys
// that no black key separates (E-F and B-C).
void drawKeyboardOutlines(CDrawContext& ctx, const LineGeometry& g);

}  // namespace ks
