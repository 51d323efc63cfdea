// A generated score of realistic shape for benchmarks: two-hand piano writing with
// runs, chords, ties across bar lines, lyrics, note marks, tuplets, annotations and
// tempo changes.
#pragma once

#include "model/Score.h"

namespace ks::bench {

// `trackCount` tracks of about `notesPerTrack` notes each (4 x 25,000 gives about
// 1,000 bars of 4/4 at ppqn 96). With `build`, chords and beams are built as after
// loading; without, the notes are as entered (not yet split at chord boundaries).
CScore makeBenchmarkScore(int trackCount = 4, int notesPerTrack = 25000, bool build = true);

}  // namespace ks::bench
