// Reading and writing the benchmark score as a document file, and the memory the
// loaded score holds.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "storage/ScoreReader.h"
#include "storage/ScoreWriter.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.xml"));
    CScore score = bench::makeBenchmarkScore();
    Fixture() { writeScoreFile(path, score, {}); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// Bytes the allocator has handed out and not yet taken back.
long heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
}

}  // namespace

static void BM_WriteScore(benchmark::State& state) {
    Fixture& f = fixture();
    const QString out = f.dir.filePath(QStringLiteral("out.xml"));
    for (auto _ : state)
        benchmark::DoNotOptimize(writeScoreFile(out, f.score, {}));
    state.counters["bytes"] = static_cast<double>(QFile(out).size());
}
BENCHMARK(BM_WriteScore)->Unit(benchmark::kMillisecond);

static void BM_ReadScore(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        CScore s;
        const ReadResult r = readScoreFile(f.path, s, nullptr);
        benchmark::DoNotOptimize(r.ok);
    }
}
BENCHMARK(BM_ReadScore)->Unit(benchmark::kMillisecond);

// Memory held by one loaded score (its notes split and chords built): the growth of the
// heap in use while it is alive.
static void BM_LoadedScoreMemory(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const long before = heapInUse();
        auto s = std::make_unique<CScore>();
        readScoreFile(f.path, *s, nullptr);
        s->rebuildAllTracks();
        const long after = heapInUse();
        state.counters["heap_MB"] = (after - before) / 1048576.0;
    }
}
BENCHMARK(BM_LoadedScoreMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
