// Which pitches carry a stave line, and the pen a horizontal stave line is drawn with.
#pragma once

#include <cstdint>

#include "render/draw/DrawContext.h"

namespace ks {

// Keystave: the black keys (C#, D#, F#, G#, A#). Conventional: the lines of the two
// five-line staves and their ledger lines, D F A C E G B alternating across two
// octaves, but never middle C (a ledger line of its own, not part of either stave).
bool IsStaveLine(int32_t pitch, bool conventional);

// The pitch lies outside the stave type's default range.
bool outsideDefaultRange(const CDrawContext& ctx, int32_t pitch);

// The pen of a horizontal line at `pitch`: faded outside the default range with
// "Extend Full Stave, Faded", dashed (50 on, 50 off) outside it with "Extend Stave
// Lines", twice as thick on C# and D# with thick lines (unless `noThick`). Coloured in
// the pitch's octave colour when the scheme colours stave lines or `forceColour` asks,
// faded once when the line is faded or `isHeadPen` asks for the fade of a grey note;
// otherwise black, or a light grey when faded. The pen is kept in the context's cache.
Pen StaveLinePen(CDrawContext& ctx, int32_t pitch, bool forceColour = false, bool isHeadPen = false,
                 bool noThick = false);

}  // namespace ks
