// The records of turning a score into timed note events: the events themselves and
// the cursor a walk keeps in each played track.
#pragma once

#include <cstdint>

namespace ks {

struct CTrack;

// One note-on or note-off of a performance.
struct CPlayBackEvent {
    int32_t time = 0;       // performance ticks: when to send
    int32_t scoreTime = 0;  // the same moment in score ticks
    int32_t trackIndex = 0;
    int32_t pitch = 0;     // MIDI key
    int32_t duration = 0;  // written length of a score note; 0 for note-offs, grace and trill notes
    int32_t velocity = 0;  // 1..127
    bool noteOff = false;
    // Note-ons: how long the note sounds in score ticks (its tie chain, shortened by a
    // staccato mark), before the release cut; what a MIDI export writes as its length.
    int32_t length = 0;

    bool operator==(const CPlayBackEvent&) const = default;
};

// A track being played and the next note and event a walk looks at in it.
struct CPlayBackTrack {
    const CTrack* track = nullptr;  // not owned
    int32_t trackIndex = 0;         // index in the score's track list
    int32_t noteIndex = 0;
    int32_t eventIndex = 0;
};

}  // namespace ks
