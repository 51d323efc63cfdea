// Layout of the 100,000-note benchmark score: full relayout (chord and beam rebuild
// included), restacking alone, and rebuilding one bar's spacing after an edit.
#include <benchmark/benchmark.h>

#include "render/layout/FullRelayout.h"
#include "render/layout/PageGeometry.h"
#include "render/layout/Spacing.h"
#include "render/layout/StackLines.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

const PageGeometry kPage = pageGeometryFor(CPrinterSettings{});

CScore laidOutScore() {
    CScore s = bench::makeBenchmarkScore();
    fullRelayout(s, kPage);
    return s;
}

}  // namespace

static void BM_FullRelayout(benchmark::State& state) {
    const CScore original = laidOutScore();
    for (auto _ : state) {
        state.PauseTiming();
        CScore s = original;
        for (CTrack& t : s.tracks)
            t.chordsvalid = false;
        state.ResumeTiming();
        fullRelayout(s, kPage);
        benchmark::DoNotOptimize(s.pages.size());
    }
    state.counters["bars"] = static_cast<double>(original.bars.size());
    state.counters["lines"] = static_cast<double>(original.lines.size());
    state.counters["pages"] = static_cast<double>(original.pages.size());
}
BENCHMARK(BM_FullRelayout)->Unit(benchmark::kMillisecond);

static void BM_StackLines(benchmark::State& state) {
    CScore s = laidOutScore();
    for (auto _ : state) {
        stackLines(s, kPage);
        benchmark::DoNotOptimize(s.pages.size());
    }
}
BENCHMARK(BM_StackLines)->Unit(benchmark::kMillisecond);

static void BM_BuildSpacingOneBar(benchmark::State& state) {
    CScore s = laidOutScore();
    const int32_t bars = static_cast<int32_t>(s.bars.size());
    int32_t bar = bars / 2;
    for (auto _ : state) {
        buildSpacing(s, bar, bar);
        benchmark::DoNotOptimize(s.bars[size_t(bar)].naturalWidth);
        bar = (bar + 97) % bars;
    }
}
BENCHMARK(BM_BuildSpacingOneBar)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
