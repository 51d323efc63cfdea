// Small scores that show most of what the stave and note drawing does, for the
// reference images: values from thirty-seconds to whole notes, dots, chords with
// seconds, beams and a triplet, ties within a line and across lines, rests, ledger
// lines above and below, repeat and final bar lines.
#pragma once

#include <functional>
#include <vector>

#include "model/Score.h"

namespace ks::test {

// Two hands (parts 0 and 2) over six bars of 4/4, three bars a line, keystave type 0,
// black and white, ledger lines. `adjust` changes preferences before the layout.
CScore sampleScore(const std::function<void(CScore&)>& adjust = {});

// The sample score in the looks the reference images show, by name: "keystave-bw",
// "colour" (notes and staves coloured, thick lines, faded full stave), "conventional"
// (black and white, two flats), "letters" (coloured letter notes), "keyboards"
// (keyboard guides, dashed extension, reduced spacing), "shaded" (octave bands,
// extension on affected bars).
struct SampleLook {
    const char* name;
    std::function<void(CScore&)> adjust;
};
const std::vector<SampleLook>& sampleLooks();

}  // namespace ks::test
