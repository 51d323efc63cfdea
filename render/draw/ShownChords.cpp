#include "ShownChords.h"

#include <algorithm>

namespace ks {

int firstChordFrom(const CTrack& track, int32_t tick) {
    return track.chords.lowerBound(CChord{.time = tick});
}

int chordAt(const CTrack& track, int32_t tick) {
    return track.chords.lowerBound(CChord{.time = tick + 1}) - 1;
}

int32_t firstNoteTickInBar(const CScore& score, int32_t bar) {
    const CScoreBar& b = score.bar(bar);
    const int64_t end = int64_t(b.startTick) + b.lengthTicks;
    int32_t first = -1;
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        const CTrack& track = score.track(t);
        for (int i = firstChordFrom(track, b.startTick); i < track.chords.size(); ++i) {
            const CChord& c = track.chords.at(i);
            if (c.time >= end || (first >= 0 && c.time >= first)) break;
            if (!c.isRest()) {
                first = c.time;
                break;
            }
        }
    }
    return first;
}

int32_t lastShownNoteEnd(const CScore& score) {
    int64_t last = -1;
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        for (const CNote& n : score.track(t).notes)
            last = std::max<int64_t>(last, int64_t(n.time) + n.duration);
    }
    return static_cast<int32_t>(std::min<int64_t>(last, INT32_MAX));
}

}  // namespace ks
