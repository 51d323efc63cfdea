// Stems and flags of unbeamed chords (beamed chords get their stems from the beam).
#pragma once

#include "render/draw/ChordGeometry.h"

namespace ks {

// The pen of a chord's stem, flags and beam: grey when every head is grey.
Pen stemPen(const CDrawContext& ctx, const ChordGeometry& c);

// The stem from the heads to `end` (a y).
void drawStem(CDrawContext& ctx, const ChordGeometry& c, int32_t end);

// The stem to its free end and the row's flags there, each further flag 2u nearer the
// heads. Whole notes have no stem.
void drawStemAndFlags(CDrawContext& ctx, const ChordGeometry& c);

}  // namespace ks
