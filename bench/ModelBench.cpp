// Chord and beam rebuild of the whole benchmark score.
#include <benchmark/benchmark.h>

#include "support/BenchmarkScore.h"

using namespace ks;

static void BM_RebuildAllChordsAndBeams(benchmark::State& state) {
    const CScore original = bench::makeBenchmarkScore();
    for (auto _ : state) {
        state.PauseTiming();
        CScore s = original;
        for (CTrack& t : s.tracks)
            t.chordsvalid = false;
        state.ResumeTiming();
        s.rebuildAllTracks();
        benchmark::DoNotOptimize(s.tracks.front().chords.size());
    }
    int64_t notes = 0;
    for (const CTrack& t : original.tracks)
        notes += t.notes.size();
    state.counters["notes"] = static_cast<double>(notes);
    state.counters["bars"] = original.barCount();
}
BENCHMARK(BM_RebuildAllChordsAndBeams)->Unit(benchmark::kMillisecond);

// Rebuilding from notes freshly read (unsplit): the first rebuild after loading.
static void BM_FirstRebuildAfterLoad(benchmark::State& state) {
    const CScore original = bench::makeBenchmarkScore(4, 25000, false);
    for (auto _ : state) {
        state.PauseTiming();
        CScore s = original;
        state.ResumeTiming();
        s.rebuildAllTracks();
        benchmark::DoNotOptimize(s.tracks.front().chords.size());
    }
}
BENCHMARK(BM_FirstRebuildAfterLoad)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
