// Note heads and their dots, in the look the stave type and colour mode ask for:
// plain keystave heads, two-layer heads in octave colours, conventional heads with
// accidentals, or coloured letter heads.
#pragma once

#include "render/draw/Accidentals.h"
#include "render/draw/ChordGeometry.h"

namespace ks {

// Draws every head of the chord, lowest first, each as a "note" element. `accidentals`
// is the bar's accidental state of the part (conventional black-and-white staves).
void drawHeads(CDrawContext& ctx, const LineGeometry& g, const ChordGeometry& c,
               AccidentalState& accidentals);

}  // namespace ks
