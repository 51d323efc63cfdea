// The Track-select layout: one long line per track, stacked from the top margin.
#pragma once

#include <vector>

#include "PageGeometry.h"
#include "model/Score.h"

namespace ks {

// One line per track of the score, in track order. Each shows the whole piece across
// the same length as the Music-mode line; its stave covers the default range widened
// by the track's own notes; lines follow each other down from the top margin with
// their spaces above and below, without page breaks.
std::vector<CScoreLine> layoutTrackSelectLines(const CScore& score, const PageGeometry& page);

}  // namespace ks
