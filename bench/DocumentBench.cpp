// Documents on disk and undo, on the 100,000-note benchmark score: saving and opening a
// ".ksv" container, and recording, undoing and redoing whole-score and one-track steps.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

struct Fixture {
    QTemporaryDir dir;
    StorageSession session{false};
    std::unique_ptr<CKeystaveDoc> doc;
    QString path;
    int64_t notes = 0;

    Fixture() {
        qputenv("KEYSTAVES_TEMP_DIR", dir.path().toUtf8());
        doc = std::make_unique<CKeystaveDoc>(session, nullptr);
        doc->adoptScore(std::make_unique<CScore>(bench::makeBenchmarkScore()), {});
        for (const CTrack& t : doc->score().tracks)
            notes += t.notes.size();
        path = dir.filePath(QStringLiteral("bench.ksv"));
        doc->save(path);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

qint64 sizeOf(const QString& path) {
    return QFileInfo(path).size();
}

}  // namespace

static void BM_SaveKsv(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.doc->save(f.path));
    state.counters["notes"] = static_cast<double>(f.notes);
    state.counters["ksv_bytes"] = static_cast<double>(sizeOf(f.path));
}
BENCHMARK(BM_SaveKsv)->Unit(benchmark::kMillisecond);

// Open as the editor does: extract, read, rebuild bars, chords and beams.
static void BM_OpenKsv(benchmark::State& state) {
    Fixture& f = fixture();
    CKeystaveDoc doc(f.session, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.open(f.path));
}
BENCHMARK(BM_OpenKsv)->Unit(benchmark::kMillisecond);

static void pushBench(benchmark::State& state, int32_t kind) {
    Fixture& f = fixture();
    CUndoHistory& history = f.doc->history();
    history.Reset();
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.Push(QStringLiteral("Step"), kind, 0));
        state.PauseTiming();
        history.DiscardLast();
        state.ResumeTiming();
    }
    history.Push(QStringLiteral("Step"), kind, 0);
    state.counters["snapshot_bytes"] = static_cast<double>(sizeOf(history.undoPath()));
    history.Reset();
}

static void BM_PushWholeScore(benchmark::State& state) {
    pushBench(state, UndoKind::Score);
}
BENCHMARK(BM_PushWholeScore)->Unit(benchmark::kMillisecond);

static void BM_PushTrack(benchmark::State& state) {
    pushBench(state, UndoKind::Track);
}
BENCHMARK(BM_PushTrack)->Unit(benchmark::kMillisecond);

// Undo timed, redo untimed, over and over; the snapshot files must end each cycle at the
// size they started with.
static void undoBench(benchmark::State& state, int32_t kind) {
    Fixture& f = fixture();
    CUndoHistory& history = f.doc->history();
    history.Reset();
    history.Push(QStringLiteral("Step"), kind, 0);
    const qint64 undoBytes = sizeOf(history.undoPath());
    bool grew = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.Undo());
        state.PauseTiming();
        history.Redo();
        grew = grew || sizeOf(history.undoPath()) != undoBytes || sizeOf(history.redoPath()) != 0;
        state.ResumeTiming();
    }
    state.counters["files_grew"] = grew ? 1 : 0;
    history.Reset();
}

static void BM_UndoWholeScore(benchmark::State& state) {
    undoBench(state, UndoKind::Score);
}
BENCHMARK(BM_UndoWholeScore)->Unit(benchmark::kMillisecond);

static void BM_UndoTrack(benchmark::State& state) {
    undoBench(state, UndoKind::Track);
}
BENCHMARK(BM_UndoTrack)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
