#include "TieChain.h"

#include <algorithm>
#include <limits>

#include "Track.h"

namespace ks {

int32_t tieChainEnd(const CTrack& track, int index) {
    const CSortedArray<CNote>& notes = track.notes;
    if (index < 0 || index >= notes.size()) return 0;
    const CNote* last = &notes[index];
    int64_t end = int64_t(last->time) + last->duration;
    // Notes are in time order, so the search for the next piece stops at the first note
    // that starts after the current piece has ended.
    for (int j = index + 1; j < notes.size() && (last->flags & NoteFlag::TieStart); ++j) {
        const CNote& n = notes[j];
        if (n.time > end) break;
        if (n.time == end && n.pitch == last->pitch && (n.flags & NoteFlag::TieEnd)) {
            last = &n;
            end = int64_t(n.time) + n.duration;
        }
    }
    return static_cast<int32_t>(std::clamp<int64_t>(end, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t noteMarksAt(const CTrack& track, int32_t time) {
    CEvent probe;
    probe.time = time;
    probe.pitch = std::numeric_limits<int32_t>::min();
    int32_t marks = 0;
    for (int i = track.events.lowerBound(probe); i < track.events.size(); ++i) {
        const CEvent& e = track.events[i];
        if (e.time != time) break;
        if (e.type == EventType::NoteMarks) marks |= e.data[0];
    }
    return marks;
}

int32_t compressVelocity(int32_t v, int32_t playVelocity, int32_t compression) {
    int64_t result = v;
    if (compression > 0) result = v + ((int64_t(playVelocity) - v) * compression >> 7);
    return static_cast<int32_t>(std::clamp<int64_t>(result, 1, 127));
}

}  // namespace ks
