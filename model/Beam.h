// CBeam: a group of consecutive chords of one track joined by a beam.
#pragma once

#include <cstdint>

namespace ks {

struct CBeam {
    int32_t firstChord = 0;  // index of the first chord in the track's chords
    int32_t chordCount = 0;  // at least 2
    int32_t bar = 0;         // bar that holds the group
    int32_t layout[6] = {};  // working fields for drawing (stem ends, slope)

    bool operator==(const CBeam&) const = default;
};

}  // namespace ks
