// Beams: a straight beam through the first chord's stem end, sloped towards the last
// chord's (no steeper than 1 in 4), with every stem reaching it; the number of a tuplet
// over or under it.
#pragma once

#include <vector>

#include "render/draw/ChordGeometry.h"

namespace ks {

struct BeamGeometry {
    int beam = -1;
    bool up = true;
    std::vector<ChordGeometry> chords;  // the beam's chords in order
    double slope = 0;                   // y per x along the beam's outer edge
    double originX = 0;                 // a point of the outer edge: the first stem's x ...
    double originY = 0;                 // ... and its y there

    int32_t edgeY(int32_t x) const;
    // Index in `chords` of chord `chordIndex` of the track, or -1.
    int indexOf(int chordIndex) const;
};

// The geometry of beam `beam` of the track shown in `part` (its chords in the bar's key).
BeamGeometry beamGeometry(const CDrawContext& ctx, const LineGeometry& g, int part,
                          const CTrack& track, int beam, int32_t key);

// The beams themselves (one per flag level, with stubs where a chord has more flags
// than its neighbours) and a tuplet's number when the beam spans a tuplet.
void drawBeam(CDrawContext& ctx, const BeamGeometry& b);

}  // namespace ks
