// The editor on the screen: start-up to the first painted page of the sample score,
// opening the 100,000-note benchmark score and painting its first page, and repainting
// after a page switch or a zoom. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUuid>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveApp.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/PlaybackControl.h"
#include "edit/MoveSelection.h"
#include "edit/SelectionOps.h"
#include "playback/RecordingDevice.h"
#include "resources/MusicFont.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "support/BenchmarkScore.h"
#include "support/OffscreenMain.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;

namespace {

QString samplePath() {
    return QStringLiteral(KS_SOURCE_DIR "/resources/samples/minuet-in-g.ksv");
}

std::unique_ptr<CKeystaveApp> startApp(test::FakeUserInterface& ui, const QString& file,
                                       PlaybackOptions playback = {}) {
    auto app = std::make_unique<CKeystaveApp>(
        ui, AppOptions{.instanceName =
                           QStringLiteral("ks-bench-") + QUuid::createUuid().toString(QUuid::Id128),
                       .splash = false,
                       .showWindow = true,
                       .playback = std::move(playback)});
    app->start(file.isEmpty() ? QStringList() : QStringList{file});
    return app;
}

// Runs the event loop until the active view has painted once.
void waitForPaint(CMainFrame& frame) {
    CKeystaveView* view = frame.activeView();
    if (!view) return;
    bool painted = false;
    view->painted = [&painted] { painted = true; };
    QElapsedTimer limit;
    limit.start();
    while (!painted && limit.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    view->painted = nullptr;
}

// The editor program itself, from process start to its first painted page.
void BM_ProcessStartToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KEYSTAVES_QUIT_AFTER_FIRST_PAINT", "1");
        env.insert("KEYSTAVES_INSTANCE_NAME",
                   "ks-bench-" + QUuid::createUuid().toString(QUuid::Id128));
        editor.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        editor.start(QStringLiteral(KS_BINARY_DIR "/bin/keystaves"), {samplePath()});
        editor.waitForFinished(20000);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        if (editor.exitCode() != 0) state.SkipWithError("the editor did not end cleanly");
    }
}
BENCHMARK(BM_ProcessStartToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// In this process: the application object's start-up to the first painted page.
void BM_StartToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        test::FakeUserInterface ui;
        QElapsedTimer timer;
        timer.start();
        auto app = startApp(ui, samplePath());
        waitForPaint(*app->frame());
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        app->frame()->close();
        app.reset();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

struct BigDocument {
    QTemporaryDir dir;
    QString path;
    BigDocument() {
        StorageSession session(false);
        CKeystaveDoc doc(session, nullptr);
        doc.adoptScore(std::make_unique<CScore>(bench::makeBenchmarkScore()), {});
        path = dir.filePath(QStringLiteral("benchmark.ksv"));
        doc.save(path);
    }
};

BigDocument& bigDocument() {
    static BigDocument document;
    return document;
}

void BM_OpenBenchmarkScoreAndPaint(benchmark::State& state) {
    const QString path = bigDocument().path;
    test::FakeUserInterface ui;
    auto app = startApp(ui, QString());
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        CChildFrame* child = app->openDocumentFile(path);
        if (!child) {
            state.SkipWithError("the benchmark score did not open");
            break;
        }
        waitForPaint(*app->frame());
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        child->document().close();
        delete child;
        QCoreApplication::processEvents();
    }
    app->frame()->close();
}
BENCHMARK(BM_OpenBenchmarkScoreAndPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Page switches and zoom changes on the benchmark score, each with its repaint.
void BM_RepaintAfter(benchmark::State& state) {
    const bool zoom = state.range(0) == 1;
    test::FakeUserInterface ui;
    auto app = startApp(ui, bigDocument().path);
    waitForPaint(*app->frame());  // the window is on the screen
    CKeystaveView* view = app->frame()->activeView();
    int painted = 0;
    view->painted = [&painted] { ++painted; };
    int step = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (zoom)
            view->setZoom(step % 2 ? 100 : 150);
        else
            view->setPage((view->currentPage() + 1) % view->pageCount());
        view->viewport()->repaint();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        ++step;
    }
    if (painted < step) state.SkipWithError("the view did not repaint");
    view->painted = nullptr;
    state.counters["pages"] = view->pageCount();
    app->frame()->close();
}
BENCHMARK(BM_RepaintAfter)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"zoom"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One step of the playback cursor while the benchmark score plays: the view follows a
// new play position one beat on and repaints what changed (the overlay only), against a
// repaint of the whole window.
void BM_FollowPlayback(benchmark::State& state) {
    const bool whole = state.range(0) == 1;
    test::FakeUserInterface ui;
    RecordingDevice device;
    auto app = startApp(ui, bigDocument().path,
                        {.device = &device, .clock = CPlayBackEngine::Clock::Manual});
    waitForPaint(*app->frame());
    CKeystaveView* view = app->frame()->activeView();
    CScore& score = app->frame()->activeChild()->document().score();
    if (!app->frame()->routeCommand(Cmd::Play)) {
        state.SkipWithError("playback did not start");
        return;
    }
    int painted = 0;
    view->painted = [&painted] { ++painted; };
    int step = 1;  // each step moves the cursor
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        // Back and forth over the first two bars, which the window shows.
        view->followPlayback(score.ppqn * (step % 8) + 1);
        if (whole)
            view->viewport()->repaint();
        else
            QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        ++step;
    }
    if (painted < step - 1) state.SkipWithError("the view did not repaint");
    view->painted = nullptr;
    app->playback()->stop();
    app->frame()->close();
}
BENCHMARK(BM_FollowPlayback)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"whole"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Music mode on the benchmark score (about 1,000 bars on one long line).
struct MusicModeApp {
    test::FakeUserInterface ui;
    std::unique_ptr<CKeystaveApp> app;
    CKeystaveView* view = nullptr;
    CScore* score = nullptr;
    MusicModeApp() {
        app = startApp(ui, bigDocument().path);
        waitForPaint(*app->frame());
        view = app->frame()->activeView();
        score = &app->frame()->activeChild()->document().score();
    }
    ~MusicModeApp() { app->frame()->close(); }
};

// From Page mode into Music mode, to the painted long line.
void BM_EnterMusicMode(benchmark::State& state) {
    MusicModeApp m;
    for (auto _ : state) {
        m.view->runCommand(Cmd::PageMode);
        QElapsedTimer timer;
        timer.start();
        m.view->runCommand(Cmd::MusicMode);
        m.view->viewport()->repaint();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
    state.counters["bars"] = static_cast<double>(m.score->bars.size());
}
BENCHMARK(BM_EnterMusicMode)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// A cursor key (Right) to the repainted frame, in the middle of the score.
void BM_MusicCursorKey(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    m.score->selection.timestart = m.score->length / 2;
    m.score->selection.timeend = m.score->selection.timestart + 1;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(m.view->viewport(), &press);
        m.view->viewport()->repaint();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_MusicCursorKey)->UseManualTime()->Unit(benchmark::kMillisecond);

// One step of the horizontal scroll bar, repainted, at the start, middle or end.
void BM_MusicScrollStep(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    QScrollBar* bar = m.view->horizontalScrollBar();
    const int base = static_cast<int>(int64_t(bar->maximum()) * state.range(0) / 100);
    int step = 0;
    for (auto _ : state) {
        bar->setValue(base);
        m.view->viewport()->repaint();
        QElapsedTimer timer;
        timer.start();
        bar->setValue(base + (step % 2 ? -1 : 1) * bar->singleStep());
        m.view->viewport()->repaint();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        ++step;
    }
}
BENCHMARK(BM_MusicScrollStep)
    ->Arg(0)
    ->Arg(50)
    ->Arg(100)
    ->ArgNames({"percent"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A rubber band over the whole pitch range of 40 bars (about 1,000 notes of the part):
// the selection built and the box fitted when the button comes up.
void BM_RubberBandSelects1000Notes(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    CScore& score = *m.score;
    const int32_t from = score.barStart(400), to = score.barStart(440);
    size_t selected = 0;
    for (auto _ : state) {
        score.selection.timestart = from;
        score.selection.timeend = to;
        score.selection.pitchlo = 127;
        score.selection.pitchhi = 0;
        QElapsedTimer timer;
        timer.start();
        selectAtCursor(score, false);
        fitBoxToNotes(score);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        selected = score.selection.notes.size();
    }
    state.counters["notes"] = static_cast<double>(selected);
}
BENCHMARK(BM_RubberBandSelects1000Notes)->UseManualTime()->Unit(benchmark::kMillisecond);

// Sends a key to the view and repaints: the time from key press to repainted frame.
double keyToFrame(MusicModeApp& m, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  const QString& text = {}) {
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(m.view->viewport(), &press);
    m.view->viewport()->repaint();
    return timer.nsecsElapsed() / 1e9;
}

// The cursor in the middle of the score, on an empty pitch of the current part.
void cursorToMiddle(CScore& score, int32_t pitch) {
    score.selection.timestart = score.barStart(score.barCount() / 2);
    score.selection.timeend = score.selection.timestart + 1;
    score.selection.pitchlo = score.selection.pitchhi = pitch;
}

// Insert (a note written at the cursor), the note deleted again untimed.
void BM_MusicInsertNote(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    for (auto _ : state) {
        cursorToMiddle(*m.score, 120);
        state.SetIterationTime(keyToFrame(m, Qt::Key_Insert));
        cursorToMiddle(*m.score, 120);
        selectAtCursor(*m.score, false);
        keyToFrame(m, Qt::Key_Delete);
    }
}
BENCHMARK(BM_MusicInsertNote)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Delete of one selected note, written again untimed.
void BM_MusicDeleteNote(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    for (auto _ : state) {
        cursorToMiddle(*m.score, 120);
        keyToFrame(m, Qt::Key_Insert);
        cursorToMiddle(*m.score, 120);
        selectAtCursor(*m.score, false);
        state.SetIterationTime(keyToFrame(m, Qt::Key_Delete));
    }
}
BENCHMARK(BM_MusicDeleteNote)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// About 100 selected notes moved one step in time (Ctrl+Right, then back) or transposed
// (Ctrl+Up, then down).
void BM_MusicMoveSelection(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    CScore& score = *m.score;
    const int32_t from = score.barStart(500);
    int32_t to = from;
    // Enough bars for about 100 notes of the current part.
    do {
        to = score.barStart(score.barAtTick(to) + 1);
        score.selection.timestart = from;
        score.selection.timeend = to;
        score.selection.pitchlo = 127;
        score.selection.pitchhi = 0;
        selectAtCursor(score, false);
    } while (score.selection.notes.size() < 100 && to < score.length);
    fitBoxToNotes(score);
    const bool transpose = state.range(0) != 0;
    if (!transpose) {
        // Up where no other notes are, so the steps in time are not refused.
        EditContext ctx{score, m.app->frame()->activeChild()->document().history()};
        moveSelection(ctx, 0, 127, false);
    }
    int step = 0, refused = 0;
    for (auto _ : state) {
        const bool back = step++ % 2;
        const int key =
            transpose ? (back ? Qt::Key_Down : Qt::Key_Up) : (back ? Qt::Key_Left : Qt::Key_Right);
        const std::vector<CNoteRef> before = score.selection.notes;
        state.SetIterationTime(keyToFrame(m, key, Qt::ControlModifier));
        refused += score.selection.notes == before;
    }
    state.counters["notes"] = static_cast<double>(score.selection.notes.size());
    // A move onto other notes is refused: such a step times only the key and the repaint.
    state.counters["refused"] = refused;
}
BENCHMARK(BM_MusicMoveSelection)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"transpose"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// Typing a 64-syllable lyric line: each keystroke to the repainted frame.
void BM_MusicTypeLyric(benchmark::State& state) {
    MusicModeApp m;
    m.view->runCommand(Cmd::MusicMode);
    CScore& score = *m.score;
    score.selection.timestart = score.barStart(300);
    score.selection.timeend = score.barStart(340);
    score.selection.pitchlo = 127;
    score.selection.pitchhi = 0;
    selectAtCursor(score, false);
    fitBoxToNotes(score);
    m.view->runCommand(Cmd::LyricMode);
    int keys = 0;
    for (auto _ : state) {
        // "la-" per syllable: two letters, then the minus that moves to the next note.
        const int k = keys++ % 3;
        state.SetIterationTime(
            k == 2 ? keyToFrame(m, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"))
                   : keyToFrame(m, k == 0 ? Qt::Key_L : Qt::Key_A, Qt::NoModifier,
                                k == 0 ? QStringLiteral("l") : QStringLiteral("a")));
    }
}
BENCHMARK(BM_MusicTypeLyric)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(64 * 3);

}  // namespace

int main(int argc, char** argv) {
    return ks::runOffscreenBenchmarks(argc, argv);
}
