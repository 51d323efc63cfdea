// How one note of a track sounds: the tie chain it starts, its articulation marks and
// the velocity compression of playback. Shared by playback, audio rendering and MIDI
// export, so that what is heard and what is exported agree.
#pragma once

#include <cstdint>

namespace ks {

struct CTrack;

// End tick of the tie chain that starts at note `index`: a later note joins the chain
// when it has the same pitch, starts exactly where the chain's last note ends, that
// note is tied to the next (0x02) and the later one continues a tie (0x04). A note
// without the tie-start flag is a chain of one.
int32_t tieChainEnd(const CTrack& track, int index);

// The note-mark bits (accent, staccato, fingering) of the track's type-3 events at
// exactly `time`, combined.
int32_t noteMarksAt(const CTrack& track, int32_t time);

// Velocity after compression towards `playVelocity`: v unchanged when `compression`
// (0..127) is 0 or less, else v + ((playVelocity - v) * compression >> 7); the result is
// always a valid note-on velocity, 1..127.
int32_t compressVelocity(int32_t v, int32_t playVelocity, int32_t compression);

// The compression setting in percent (0..100) as the factor compressVelocity takes.
inline int32_t compressionFactor(int32_t percent) {
    return percent * 127 / 100;
}

}  // namespace ks
