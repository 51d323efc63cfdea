// The score operations on the 100,000-note benchmark score, each with the relayout that
// follows it in the editor: deleting and inserting a bar, transposing every track,
// merging two 25,000-note tracks and splitting a 50,000-note track.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "edit/NoteEntry.h"
#include "edit/SelectionOps.h"
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

// Note entry below the widgets, without the relayout: the undo step of the track (its
// snapshot written), the edit and the re-derivation of the bars it touched.
static void BM_InsertNoteWithUndoStep(benchmark::State& state) {
    QTemporaryDir temp;
    qputenv("KEYSTAVES_TEMP_DIR", temp.path().toUtf8());
    CScore s = laidOutScore();
    CUndoHistory history(&s);
    EditContext ctx{s, history};
    const bool withUndo = state.range(0) != 0;
    for (auto _ : state) {
        s.selection.timestart = s.barStart(s.barCount() / 2);
        s.selection.timeend = s.selection.timestart + 1;
        s.selection.pitchlo = s.selection.pitchhi = 120;
        if (withUndo) {
            insertNoteAtCursor(ctx, s.ppqn);
        } else {
            CUndoHistory none(nullptr);
            EditContext bare{s, none};
            insertNoteAtCursor(bare, s.ppqn);
        }
        state.PauseTiming();
        s.selection.timestart = s.barStart(s.barCount() / 2);
        s.selection.timeend = s.selection.timestart + 1;
        selectAtCursor(s, false);
        CUndoHistory none(nullptr);
        EditContext bare{s, none};
        deleteSelection(bare);
        history.Reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertNoteWithUndoStep)->Arg(0)->Arg(1)->ArgNames({"undo"})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
