// Converting between scores and MIDI files: importing a 100,000-note file into a laid-out
// score (triplet detection, hands, derived data and layout included), and exporting the
// 100,000-note benchmark score to a file.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "interchange/MidiExport.h"
#include "interchange/MidiImport.h"
#include "render/layout/FullRelayout.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

struct Files {
    QTemporaryDir dir;
    QString midi = dir.filePath(QStringLiteral("bench.mid"));
    CScore score = bench::makeBenchmarkScore();
    Files() { exportMidiFile(score).Write(midi); }
};

Files& files() {
    static Files f;
    return f;
}

}  // namespace

static void BM_ImportMidiIntoLaidOutScore(benchmark::State& state) {
    const PageGeometry page = pageGeometryFor({});
    for (auto _ : state) {
        CMidiFile file;
        file.Read(files().midi);
        CScore score;
        score.applyBuiltInDefaults();
        importMidiFile(file, score);
        fullRelayout(score, page);
        benchmark::DoNotOptimize(score.pages.size());
    }
}
BENCHMARK(BM_ImportMidiIntoLaidOutScore)->Unit(benchmark::kMillisecond);

static void BM_ExportScoreToMidiFile(benchmark::State& state) {
    const QString out = files().dir.filePath(QStringLiteral("out.mid"));
    for (auto _ : state) benchmark::DoNotOptimize(exportMidiFile(files().score).Write(out).ok);
}
BENCHMARK(BM_ExportScoreToMidiFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
