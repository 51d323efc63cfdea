// The score operations on the 100,000-note benchmark score, each with the relayout that
// follows it in the editor: deleting and inserting a bar, transposing every track,
// merging two 25,000-note tracks and splitting a 50,000-note track.
#include <benchmark/benchmark.h>

#include "model/BarOperations.h"
#include "model/TrackOperations.h"
#include "model/TrackSplit.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/PageGeometry.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

const PageGeometry kPage = pageGeometryFor(CPrinterSettings{});

const CScore& laidOutScore() {
    static const CScore score = [] {
        CScore s = bench::makeBenchmarkScore();
        fullRelayout(s, kPage);
        return s;
    }();
    return score;
}

// Runs `edit` on a fresh copy of `original` per iteration, the copy not timed.
template <class Edit>
void timeEdit(benchmark::State& state, const CScore& original, Edit edit) {
    for (auto _ : state) {
        state.PauseTiming();
        CScore s = original;
        state.ResumeTiming();
        edit(s);
        fullRelayout(s, kPage);
        benchmark::DoNotOptimize(s.pages.size());
    }
    state.counters["notes"] = [&] {
        double n = 0;
        for (const CTrack& t : original.tracks)
            n += t.notes.size();
        return n;
    }();
}

}  // namespace

static void BM_DeleteBar(benchmark::State& state) {
    const CScore& s = laidOutScore();
    timeEdit(state, s, [&](CScore& c) { deleteBars(c, c.barCount() / 2); });
}
BENCHMARK(BM_DeleteBar)->Unit(benchmark::kMillisecond);

static void BM_InsertBar(benchmark::State& state) {
    const CScore& s = laidOutScore();
    timeEdit(state, s, [&](CScore& c) { insertBar(c, c.barCount() / 2); });
}
BENCHMARK(BM_InsertBar)->Unit(benchmark::kMillisecond);

static void BM_TransposeAllTracks(benchmark::State& state) {
    timeEdit(state, laidOutScore(), [](CScore& c) { transposeTracks(c, -1, 2); });
}
BENCHMARK(BM_TransposeAllTracks)->Unit(benchmark::kMillisecond);

static void BM_MergeTwoTracks(benchmark::State& state) {
    timeEdit(state, laidOutScore(), [](CScore& c) {
        mergeTracks(c, 0, 1, Part::RightHand, QStringLiteral("Merged Track"));
    });
}
BENCHMARK(BM_MergeTwoTracks)->Unit(benchmark::kMillisecond);

static void BM_SplitTrack(benchmark::State& state) {
    // Tracks 0 and 1 merged: one track of 50,000 notes shown in the right hand.
    static const CScore merged = [] {
        CScore s = laidOutScore();
        mergeTracks(s, 0, 1, Part::RightHand, QStringLiteral("Merged Track"));
        fullRelayout(s, kPage);
        return s;
    }();
    const auto method = static_cast<SplitMethod>(state.range(0));
    timeEdit(state, merged, [&](CScore& c) {
        splitTrack(c, SplitRequest{.source = c.trackCount() - 1,
                                   .destination1 = Part::RightHand,
                                   .destination2 = Part::LeftHand,
                                   .method = method});
    });
    state.counters["source_notes"] = merged.track(merged.trackCount() - 1).notes.size();
}
BENCHMARK(BM_SplitTrack)->DenseRange(0, kSplitMethodCount - 1)->Unit(benchmark::kMillisecond);

static void BM_FullRelayoutAlone(benchmark::State& state) {
    timeEdit(state, laidOutScore(), [](CScore&) {});
}
BENCHMARK(BM_FullRelayoutAlone)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
