// "Prevent tracks overlapping": when the music is in the first part of each hand only,
// a right-hand and a left-hand chord that sound together turn their stems apart where
// their notes come close, so the stems and heads of the two hands do not run into
// each other. A pass over the score that runs after chords and beams are built; the
// turns are kept in the chords' stem flags, which every direction question reads first.
#pragma once

#include "model/Score.h"

namespace ks {

// After this, no overlapping pair of chords (a beamed chord counts as its whole beam)
// has the right hand pointing down onto a left hand whose notes reach within the limits,
// nor both hands pointing up into each other. Chords whose direction the user set are
// left alone. Does nothing unless `optimise` is on and only parts 0 and 2 have tracks.
void preventOverlaps(CScore& score);

}  // namespace ks
