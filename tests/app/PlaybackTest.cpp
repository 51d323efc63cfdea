// Playback in a document window, driven by the engine's manual clock: Play, Stop and the
// Tab key, stopping before edits, the playback cursor following the play position (steps,
// scrolling, pages, the repainted overlay), the cursor styles and the status texts.
#include <gtest/gtest.h>

#include "app/OutputDialogs.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "app/PlaybackControl.h"
#include "playback/PlayDevice.h"
#include "playback/RecordingDevice.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

// The region of every paint of a widget.
class PaintLog : public QObject {
  public:
    explicit PaintLog(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

bool sent(const RecordingDevice& device, std::array<uint8_t, 3> bytes) {
    for (const RecordingDevice::Message& m : device.messages())
        if (m.bytes == bytes) return true;
    return false;
}

class Playback : public ::testing::Test {
  protected:
    void SetUp() override {
        playback = std::make_unique<PlaybackControl>(
            ui, PlaybackOptions{.device = &device, .clock = CPlayBackEngine::Clock::Manual});
        child = new CChildFrame(session, ui);
        child->setPlayback(playback.get());
        child->newDocument();
        // Crotchets on every beat of the first eight bars in the right hand.
        CScore& s = score();
        for (int32_t t = 0; t < 8 * 384; t += 96)
            s.tracks[0].addNote(CNote{.time = t, .duration = 96, .pitch = 60 + (t / 96) % 12});
        s.rebuildTrack(0);
        child->relayout();
        child->resize(900, 700);
        child->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        delete child;
        playback.reset();
    }
    CKeystaveView& view() { return child->view(); }
    CKeystaveDoc& doc() { return child->document(); }
    CScore& score() { return doc().score(); }
    bool playing() { return playback->isPlaying(&score()); }
    // Ticks of 20 ms, each followed by the events it posted.
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            playback->engine().tick();
            QApplication::processEvents();
        }
    }
    void play() {
        child->runCommand(Cmd::Play);
        ASSERT_TRUE(playing());
    }

    StorageSession session{false};
    FakeUserInterface ui;
    RecordingDevice device;
    std::unique_ptr<PlaybackControl> playback;
    CChildFrame* child = nullptr;
};

TEST_F(Playback, PlayStopPauseAndTabToggle) {
    EXPECT_TRUE(child->commandState(Cmd::Play)->enabled);
    EXPECT_FALSE(child->commandState(Cmd::Stop)->enabled);
    EXPECT_FALSE(child->commandState(Cmd::Pause)->enabled);
    play();
    EXPECT_FALSE(child->commandState(Cmd::Play)->enabled);
    EXPECT_TRUE(child->commandState(Cmd::Stop)->enabled);

    device.clear();
    QTest::keyClick(view().viewport(), Qt::Key_Tab);
    EXPECT_FALSE(playing());
    // All notes off on the music channel and on the metronome's.
    EXPECT_TRUE(sent(device, {0xB0, 123, 0}));
    EXPECT_TRUE(sent(device, {0xB9, 123, 0}));
    QTest::keyClick(view().viewport(), Qt::Key_Tab);
    EXPECT_TRUE(playing());
    child->runCommand(Cmd::Pause);
    EXPECT_FALSE(playing());
    play();
    QTest::keyClick(view().viewport(), Qt::Key_Space);
    EXPECT_FALSE(playing());
    play();
    child->runCommand(Cmd::Stop);
    EXPECT_FALSE(playing());
}

TEST_F(Playback, SoloPlaysOnlyTheCurrentPart) {
    child->runCommand(Cmd::Solo);
    EXPECT_TRUE(child->commandState(Cmd::Solo)->checked);
    score().selection.hand = Part::LeftHand;  // its track has no notes
    play();
    ticks(10);
    for (const RecordingDevice::Message& m : device.messages())
        EXPECT_NE(m.bytes[0] & 0xF0, 0x90);
    child->runCommand(Cmd::Stop);
    score().selection.hand = Part::RightHand;
    device.clear();
    play();
    ticks(10);
    EXPECT_TRUE(sent(device, {0x90, 60, kDefaultVelocity}));
}

// Output dialogs that are all cancelled at once.
class CancelledOutputDialogs : public IOutputDialogs {
  public:
    QStringList installedPrinters() override { return {QStringLiteral("Printer")}; }
    std::optional<int> chooseResolution(const std::vector<ResolutionChoice>&, int) override {
        return std::nullopt;
    }
    bool runPrintDialog(QPrinter&, int) override { return false; }
    bool runPageSetupDialog(QPrinter&) override { return false; }
    void runPrintPreview(QPrinter&, const std::function<void(QPrinter*)>&) override {}
    void runAlignment(QPrinter&, const std::function<void(QPrinter*)>&,
                      const std::function<void(const PrinterAlignment&)>&) override {}
};

TEST_F(Playback, EditsUndoRedoDialogsAndClosingStopFirst) {
    CancelledOutputDialogs outputDialogs;
    child->setOutputDialogs(outputDialogs);
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"edit", [&] { doc().history().Push(QStringLiteral("Edit"), UndoKind::Settings); }},
        {"undo", [&] { child->runCommand(Cmd::EditUndo); }},
        {"redo", [&] { child->runCommand(Cmd::EditRedo); }},
        {"export", [&] { child->runCommand(Cmd::ExportMidi); }},  // the Save dialog is cancelled
        {"print", [&] { child->runCommand(Cmd::FilePrint); }},
        {"preview", [&] { child->runCommand(Cmd::FilePrintPreview); }},
        {"bitmaps", [&] { child->runCommand(Cmd::ExportBitmaps); }},
        {"close", [&] { doc().close(); }},
    };
    for (const auto& [name, action] : actions) {
        play();
        action();
        EXPECT_FALSE(playing()) << name;
    }
}

TEST_F(Playback, AFailingDeviceShowsOneErrorAtATime) {
    play();
    device.failSends(true, QStringLiteral("The MIDI port went away."));
    // Many failed sends before the user-interface thread gets round to the first box.
    for (int i = 0; i < 60; ++i)
        playback->engine().tick();
    QApplication::processEvents();
    ASSERT_EQ(ui.messageTexts.size(), 1);
    EXPECT_EQ(ui.messageTexts[0], "The MIDI port went away.");
    EXPECT_TRUE(playing());  // playback carries on
    // Once that box has gone, the next failure is told again.
    ticks(30);
    EXPECT_GT(ui.messageTexts.size(), 1);
}

TEST_F(Playback, CursorFollowsByBeatsThenBySmoothSteps) {
    play();
    ticks(30);  // 30 x 3.84 ticks: 115, inside the second beat
    EXPECT_EQ(playback->engine().position(), 115);
    EXPECT_EQ(score().playbackCursor, 96);
    EXPECT_EQ(view().paneText(Pane::Position), " 1/2/0  /  75");
    ticks(470);  // 500 x 3.84 = 1920: bar 2, beat 2
    EXPECT_EQ(score().playbackCursor, 1920);
    EXPECT_EQ(view().paneText(Pane::Position), " 6/1/0  /  75");
    EXPECT_EQ(view().paneText(Pane::Time), " 00:10 / 02:30");
    EXPECT_EQ(view().paneText(Pane::Tempo), " 120bpm ");

    score().prefs.cursorstep = 1;  // a 32nd note at a time
    ticks(3);                      // 1931.52 -> 1931
    EXPECT_EQ(score().playbackCursor, 1920 + 11 - 11 % 12);
    // Stopping leaves the cursor where it is, and playback resumes there.
    child->runCommand(Cmd::Stop);
    const int32_t cursor = score().playbackCursor;
    ticks(5);
    EXPECT_EQ(score().playbackCursor, cursor);
    play();
    EXPECT_EQ(playback->engine().position(), cursor);
}

TEST_F(Playback, OnlyTheOverlayIsRepaintedAndTheLineIsRed) {
    play();
    ticks(2);
    QApplication::processEvents();
    const QRect before = view().playbackCursorPixels();
    ASSERT_FALSE(before.isEmpty());
    PaintLog log(view().viewport());
    ticks(25);  // the next beat
    QApplication::processEvents();
    const QRect after = view().playbackCursorPixels();
    ASSERT_GT(after.left(), before.left());
    ASSERT_GT(log.paints, 0);
    const QRect bounds = log.painted.boundingRect();
    EXPECT_TRUE(bounds.contains(before.center()));
    EXPECT_TRUE(bounds.contains(after.center()));
    // Two narrow strips: the whole window was not repainted.
    EXPECT_LT(log.painted.boundingRect().height(), view().viewport()->height());
    int area = 0;
    for (const QRect& r : log.painted)
        area += r.width() * r.height();
    EXPECT_LT(area, view().viewport()->width() * view().viewport()->height() / 20);

    const QImage shot = view().viewport()->grab().toImage();
    const QColor line = shot.pixelColor(after.center());
    EXPECT_GT(line.red(), 200);
    EXPECT_LT(line.green(), 80);
}

TEST_F(Playback, FollowingTurnsPagesAndScrollsTheCursorIntoView) {
    view().setZoom(400);
    const int lastBar = score().barCount() - 1;
    const int lastPage = score().line(score().bar(lastBar).line).page;
    ASSERT_GT(lastPage, 0);
    // Off the beat, so that the first position moves the cursor onto it.
    score().playbackCursor = score().barStart(lastBar) + 1;
    play();
    ticks(1);
    EXPECT_EQ(score().playbackCursor, score().barStart(lastBar));
    EXPECT_EQ(view().currentPage(), lastPage);
    const QRect cursor = view().playbackCursorPixels();
    const QSize client = view().viewport()->size();
    ASSERT_FALSE(cursor.isEmpty());
    EXPECT_GE(cursor.left(), client.width() / 8);
    EXPECT_LE(cursor.right(), client.width() - client.width() / 8);
    EXPECT_GE(cursor.top(), client.height() / 8);
    // A stave taller than the room between the margins shows its top at the margin.
    if (cursor.height() < client.height() * 3 / 4)
        EXPECT_LE(cursor.bottom(), client.height() - client.height() / 8);
    else
        EXPECT_EQ(cursor.top(), client.height() / 8);
    EXPECT_GT(view().horizontalScrollBar()->value(), 0);
}

TEST_F(Playback, CursorStylesShowTheLineTheSoundingNotesOrBoth) {
    struct Case {
        int style;
        bool lineWhilePlaying;
        bool notesWhilePlaying;
    } cases[] = {{0, true, false}, {1, false, true}, {2, true, true}};
    for (const Case& c : cases) {
        score().prefs.cursorstyle = c.style;
        score().playbackCursor = 0;
        play();
        ticks(3);
        const PlaybackOverlay& overlay = view().playbackOverlay();
        EXPECT_EQ(overlay.cursorTick >= 0, c.lineWhilePlaying) << c.style;
        EXPECT_EQ(!overlay.heads.empty(), c.notesWhilePlaying) << c.style;
        if (c.notesWhilePlaying) {
            ASSERT_EQ(overlay.heads.size(), 1u);
            EXPECT_EQ(overlay.heads[0], (SoundingHead{0, 0, 60}));
        }
        child->runCommand(Cmd::Stop);
        // Stopped, every style shows the line and no note.
        EXPECT_GE(view().playbackOverlay().cursorTick, 0) << c.style;
        EXPECT_TRUE(view().playbackOverlay().heads.empty()) << c.style;
    }
}

TEST_F(Playback, EndReenablesPlayAndTheNextPlayStartsAgain) {
    score().setLength(2 * 384);
    child->relayout();
    play();
    for (int i = 0; i < 400 && playing(); ++i)
        ticks(1);
    ASSERT_FALSE(playing());
    QApplication::processEvents();
    EXPECT_TRUE(child->commandState(Cmd::Play)->enabled);
    EXPECT_EQ(score().playbackCursor, 2 * 384 - 96);  // the last beat followed
    // From the end of the performance a new playback starts at the beginning.
    score().playbackCursor = 2 * 384;
    play();
    EXPECT_EQ(playback->engine().position(), 0);
}

TEST_F(Playback, RewindAndFastForwardStepByBars) {
    const int32_t end = score().playbackMap.ScoreToPlay(score().length);
    struct Case {
        int32_t from;
        int command;
        int32_t to;
    } cases[] = {
        {0, Cmd::FastForward, 384},    {384, Cmd::StepForward, 768},
        {400, Cmd::Rewind, 384},       {384, Cmd::StepBack, 0},
        {0, Cmd::Rewind, 0},           {end, Cmd::FastForward, end},
        {end, Cmd::Rewind, end - 384}, {end - 10, Cmd::FastForward, end},
    };
    for (const Case& c : cases) {
        score().playbackCursor = c.from;
        ASSERT_TRUE(view().commandState(c.command)->enabled);
        view().runCommand(c.command);
        EXPECT_EQ(score().playbackCursor, c.to) << c.from << " " << c.command;
    }
    // While playing, playback carries on from the new place.
    score().playbackCursor = 0;
    play();
    view().runCommand(Cmd::FastForward);
    EXPECT_TRUE(playing());
    EXPECT_EQ(playback->engine().position(), 384);
}

}  // namespace
