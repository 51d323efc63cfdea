// Small scores that show most of what the stave and note drawing does, for the
// reference images: values from thirty-seconds to whole notes, dots, chords with
// seconds, beams and a triplet, ties within a line and across lines, rests, ledger
// lines above and below, repeat and final bar lines.
#pragma once

#include <functional>

#include "model/Score.h"

namespace ks::test {

// Two hands (parts 0 and 2) over six bars of 4/4, three bars a line, keystave type 0,
// black and white, ledger lines. `adjust` changes preferences before the layout.
CScore sampleScore(const std::function<void(CScore&)>& adjust = {});

}  // namespace ks::test
