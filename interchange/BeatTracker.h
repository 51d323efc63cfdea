// Finding the beat of a performance played without a click: an onset envelope, the
// beat period it repeats at most (near the tempo the file claims), and the beat times
// that best follow the onsets while the tempo drifts or changes.
#pragma once

#include <vector>

namespace ks {

struct BeatOnset {
    double seconds = 0;
    double weight = 1;  // how strongly the onset marks a beat (chords add up)
};

// Beat times in seconds, rising, covering the onsets (the first beat at or before the
// first onset, the last at or after the last). `nominalBeat` is the beat length the
// file claims, in seconds; the period found stays near it unless the music clearly
// repeats at another one. No onsets, or onsets spread over more than four hours, give
// no beats.
std::vector<double> trackBeats(const std::vector<BeatOnset>& onsets, double nominalBeat);

}  // namespace ks
