// Helpers shared by the model tests.
#pragma once

#include "model/Score.h"

namespace ks::test {

// A 4/4 score of `bars` bars with one track of these notes shown in the right hand (its
// chords and beams built).
inline CScore scoreWithTrack(std::initializer_list<CNote> notes, int bars = 2) {
    CScore s;
    CTrack t;
    for (const CNote& n : notes)
        t.addNote(n);
    s.addTrack(t);
    s.setLength(384 * bars);
    s.assignTrackToPart(0, Part::RightHand);
    return s;
}

}  // namespace ks::test
