// The furniture of one bar: the prefix (clefs, key signature, time signature), the bar
// number and the volta bracket. DrawBarFurniture (Drawing.h) draws all of them; the
// parts are declared here for the files that draw them.
#pragma once

#include <QString>

#include "render/draw/DrawContext.h"

namespace ks {

// Which staves a line shows: with show-only-used-lines a stave is shown only when the
// line's range reaches into it.
bool lineShowsUpperStave(const CScoreLine& line);
bool lineShowsLowerStave(const CDrawContext& ctx, const CScoreLine& line);

// The text of a time signature's numerator and denominator: "%d", or "%2d" when either
// exceeds 9.
QString timeSignatureText(int value, const CTimeSignature& sig);

// The seven diamonds of a keystave key signature (key 0..29) at x; conventional lines
// get sharps or flats on both staves.
void drawKeySignature(CDrawContext& ctx, const CScoreLine& line, int key, int32_t x);
// Room the key signature takes on conventional lines, in page units.
int32_t conventionalKeySignatureWidth(const CDrawContext& ctx, int key);

// The number above the bar, when the view numbers it.
void drawBarNumber(CDrawContext& ctx, int bar, const CScoreLine& line);
// The pitch whose height the bar number's top is drawn at.
int32_t barNumberPitch(const CDrawContext& ctx, int bar, const CScoreLine& line);
// The number shown for a bar, or 0 when the bar has no number (a lead-in bar).
int barNumberFor(const CDrawContext& ctx, int bar);

// The part of every volta bracket that covers the bar.
void drawVoltaBrackets(CDrawContext& ctx, int bar, const CScoreLine& line);

}  // namespace ks
