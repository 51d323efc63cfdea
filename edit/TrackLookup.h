// Finding a track's notes and events by time, for the editing commands.
#pragma once

#include <cstdint>

#include "model/Track.h"

namespace ks {

// Index of the first note of `track` starting at or after `tick`.
inline int firstNoteFrom(const CTrack& track, int32_t tick) {
    return track.notes.lowerBound(CNote{.time = tick, .pitch = INT32_MIN});
}

// Index of the first event at exactly `tick` that `match` accepts, or -1.
template <class Match>
int eventAt(const CTrack& track, int32_t tick, Match match) {
    for (int i = track.events.lowerBound(CEvent{.time = tick}); i < track.events.size(); ++i) {
        const CEvent& e = track.events.at(i);
        if (e.time != tick) break;
        if (match(e)) return i;
    }
    return -1;
}

}  // namespace ks
