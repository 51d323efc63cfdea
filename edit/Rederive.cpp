#include "Rederive.h"

#include <algorithm>

namespace ks {

void rederiveTicks(CScore& score, int trackIndex, int32_t from, int32_t to) {
    CTrack* track = score.trackPtr(trackIndex);
    if (!track) return;
    track->owner = &score;
    const CSortedArray<CChord>& chords = track->chords;
    const bool covered =
        !chords.empty() && chords.at(0).time == 0 &&
        chords.at(chords.size() - 1).time + chords.at(chords.size() - 1).duration == score.length &&
        track->length >= score.length;
    if (!covered || score.length <= 0) {
        score.rebuildTrack(trackIndex);
        return;
    }
    to = std::max(to, from + 1);
    const int32_t firstBar = score.barAtTick(std::clamp(from, 0, score.length - 1));
    const int32_t lastBar = score.barAtTick(std::clamp(to - 1, 0, score.length - 1));
    int32_t start = score.barStart(firstBar);
    int32_t end = std::min(score.barStart(lastBar) + score.barLength(lastBar), score.length);
    // Widen to chord boundaries: the chord holding `start` and the one holding `end - 1`.
    int c = chords.lowerBound(CChord{.time = start + 1}) - 1;
    if (c >= 0) start = std::min(start, chords.at(c).time);
    c = chords.lowerBound(CChord{.time = end}) - 1;
    if (c >= 0) end = std::max(end, chords.at(c).time + chords.at(c).duration);
    track->rebuildChords(score.length, start, std::min(end, score.length));
    score.rebuildBeams(trackIndex);
}

}  // namespace ks
