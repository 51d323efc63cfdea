// Horizontal mapping inside a bar: ticks to fractions of the bar's usable width and
// to x, the fixed room before a bar's first note, and x back to ticks.
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// Position of a tick inside its bar as a fraction 0..1 of the bar's widened width,
// interpolated between the spacing entries around it.
double tickToFraction(const CScoreBar& bar, int32_t tick);

// The tick under x, interpolated between the drawn positions of the spacing entries
// around it, rounded and kept between the two entries' ticks.
int32_t xToTick(const CScoreBar& bar, int32_t x);

// Room before the bar's first note for what the bar shows at its start (clef, time
// signature, key signature, repeat start), rounded to page units.
int32_t fixedPrefix(const CScoreBar& bar, double u);

// x of a tick in a bar: from the bar's usable start (left + round(u), plus the fixed
// prefix with `withPrefix`, plus round(3u) with `withLead`) to its usable end (right,
// less round(2u) before a repeat end when `withPrefix`). Notes use both options.
int32_t tickToX(const CScoreBar& bar, int32_t tick, double u, bool withPrefix = true,
                bool withLead = true);

// The same for bar `index` of the score, in the score's unit.
int32_t tickToX(const CScore& score, int index, int32_t tick, bool withPrefix = true,
                bool withLead = true);
int32_t xToTick(const CScore& score, int index, int32_t x);

// Stores in every spacing entry of the bar the x its chords are drawn at.
void updateDrawnPositions(CScoreBar& bar, double u);

}  // namespace ks
