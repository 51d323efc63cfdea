// Quantising a performance: the notes of a MIDI file played without a click are moved
// onto the beat found in them, their starts and lengths snapped to the note values and
// triplets a pianist would write, and the tempo of every beat kept for tempo marks.
#pragma once

#include <vector>

#include "model/Track.h"

namespace ks {

struct PerformanceTiming {
    int32_t division = 48;   // file ticks per quarter note
    int32_t tempo = 120;     // the file's beats per minute
    int32_t ppqn = 96;       // score ticks per quarter note (one beat)
    int32_t barLength = 0;   // score ticks of the first bar (0: four beats)
};

class CPerformanceMap {
  public:
    CPerformanceMap() = default;
    CPerformanceMap(std::vector<double> beats, const PerformanceTiming& timing, int32_t shift);

    bool empty() const { return beats_.size() < 2; }
    // The score tick of a file tick, on the nearest beat.
    int32_t beatTickOf(int32_t fileTick) const;
    // Beats per minute the performance took from score tick `from` to `to`.
    double tempoBetween(int32_t from, int32_t to) const;
    // The beat position (in beats, from the first beat) of a moment of the file.
    double beatOf(double seconds) const;
    double secondsOf(int32_t fileTick) const;
    std::vector<double>& beats() { return beats_; }

  private:
    std::vector<double> beats_;  // seconds of the file
    PerformanceTiming timing_;
    int32_t shift_ = 0;  // score ticks added so that no note starts before the score
};

// Quantises the notes of every track (file ticks in, score ticks out) and returns the
// beat map. Track lengths are set to the last end. Tracks without notes stay empty.
CPerformanceMap quantisePerformance(std::vector<CTrack>& tracks, const PerformanceTiming& timing);

}  // namespace ks
