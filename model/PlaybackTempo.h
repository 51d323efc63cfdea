// The tempo playback runs at, and the rate of the playback tick.
#pragma once

#include <cstdint>

namespace ks {

class CScore;

// Milliseconds between two playback ticks.
constexpr int kTickMilliseconds = 20;

// The first tempo mark's beats per minute, or 120 when the tempo track does not start
// with a tempo mark; a tempo below 1 (only a damaged document has one) reads as 120.
int32_t playbackTempo(const CScore& score);

// Performance ticks that pass in one 20 ms playback tick.
double ticksPerTick(int32_t tempo, int32_t ppqn);

// Set the playback tempo: the `tempo` setting and the first event of the tempo track,
// which becomes a tempo mark with data0 = 1 and an empty text (rebuilt when drawn); a
// mark is created at tick 0 when the tempo track is empty.
void setPlaybackTempo(CScore& score, int32_t bpm);

}  // namespace ks
