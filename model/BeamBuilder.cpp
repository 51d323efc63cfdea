// Beam building.
//
// Rule: consecutive chords of a track are joined by one beam when every one of them
//  - holds notes (a rest breaks the group),
//  - is shorter than a quarter note (ppqn ticks),
//  - lies inside a single beat of its bar, start and end, with the bar's beat length
//    (a dotted quarter in compound time such as 6/8), and
//  - shares that bar and that beat with the others (a bar line or beat boundary breaks
//    the group).
// Groups of one chord get no beam.
#include "Score.h"

namespace ks {

namespace {

// Key of the beat that holds the whole chord, or -1 when the chord cannot be beamed.
int64_t beatKey(const CScore& score, const CChord& c) {
    if (c.isRest() || c.duration >= score.ppqn || c.duration <= 0) return -1;
    const int32_t start = score.barStart(c.bar);
    const int32_t beat = score.beatLength(c.bar);
    const int64_t first = (int64_t(c.time) - start) / beat;
    const int64_t last = (int64_t(c.time) + c.duration - 1 - start) / beat;
    if (first != last || c.time < start) return -1;
    return int64_t(c.bar) * (int64_t(1) << 24) + first;
}

}  // namespace

void CScore::rebuildBeams(int trackIndex) {
    CTrack* t = trackPtr(trackIndex);
    if (!t) return;
    t->beams.clear();
    const int n = t->chords.size();
    int i = 0;
    while (i < n) {
        t->chords[i].beam = -1;
        const int64_t key = beatKey(*this, t->chords.at(i));
        int j = i + 1;
        if (key >= 0)
            while (j < n && beatKey(*this, t->chords.at(j)) == key)
                ++j;
        if (key >= 0 && j - i >= 2) {
            const int beamIndex = static_cast<int>(t->beams.size());
            t->beams.push_back(
                CBeam{.firstChord = i, .chordCount = j - i, .bar = t->chords.at(i).bar});
            for (int k = i; k < j; ++k)
                t->chords[k].beam = beamIndex;
        } else {
            for (int k = i; k < j; ++k)
                t->chords[k].beam = -1;
        }
        i = j;
    }
}

}  // namespace ks
