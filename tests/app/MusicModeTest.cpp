// The document view in Music and Track select mode, driven as a user would on the
// offscreen platform: mode changes, the cursor keys, clicks, Shift+clicks and the
// rubber band, dragging the selection, parts, section markers, Go to Bar and the
// status panes.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "edit/EditTextIds.h"
#include "model/StringIds.h"
#include "model/TextTable.h"
#include "render/layout/LayoutUnit.h"
#include "render/layout/StaveGeometry.h"
#include "render/layout/TickMapping.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

class MusicMode : public ::testing::Test {
  protected:
    void SetUp() override {
        child = new CChildFrame(session, ui);
        child->newDocument();
        CScore& score = doc().score();
        // Right hand: C4 E4 G4 crotchets from tick 0; left hand: C3 minim at 0.
        const int32_t pitches[] = {60, 64, 67};
        for (int i = 0; i < 3; ++i)
            score.tracks[0].addNote({.time = 96 * i, .duration = 96, .pitch = pitches[i]});
        score.tracks[1].addNote({.time = 0, .duration = 192, .pitch = 48});
        score.tracks[0].title = QStringLiteral("Melody");
        child->relayout();
        child->resize(900, 600);
        child->show();
    }
    void TearDown() override { delete child; }
    CKeystaveView& view() { return child->view(); }
    CKeystaveDoc& doc() { return child->document(); }
    CSelection& sel() { return doc().score().selection; }
    // The viewport pixel of a note head's middle in Music mode.
    QPoint pixelOf(int32_t tick, int32_t pitch) {
        const CScore& score = doc().score();
        const int bar = score.barAtTick(tick);
        const int32_t x = tickToX(score, bar, tick) + 20;
        const int32_t y = pitchToY(view().viewLines().front(), layoutUnit(score), pitch);
        return view().pixelsOf(QRect(x, y, 1, 1)).center();
    }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(view().viewport(), static_cast<Qt::Key>(k), m);
    }
    std::vector<CNoteRef> melody() const {
        std::vector<CNoteRef> out;
        for (const CNote& n : child->document().score().track(0).notes)
            out.push_back({n.time, n.pitch});
        return out;
    }

    StorageSession session{false};
    FakeUserInterface ui;
    CChildFrame* child = nullptr;
};

TEST_F(MusicMode, ModeChangesKeepOrClearWhatTheModeNeeds) {
    struct Case {
        int command;
        int viewMode;
        size_t lines;
        int32_t editMode;
        bool pagePane;
    };
    const Case cases[] = {
        {Cmd::MusicMode, ViewMode::Music, 1, EditMode::Notes, false},
        {Cmd::TrackSelectMode, ViewMode::TrackSelect, 2, EditMode::TrackSelect, false},
        {Cmd::LayoutMode, ViewMode::Layout, 0, EditMode::LayoutLine, true},
        {Cmd::MusicMode, ViewMode::Music, 1, EditMode::Notes, false},
        {Cmd::PageMode, ViewMode::Page, 0, EditMode::Notes, true},
    };
    sel().timestart = 96;
    sel().timeend = 97;
    sel().pitchlo = sel().pitchhi = 64;
    for (const Case& c : cases) {
        view().runCommand(c.command);
        EXPECT_EQ(view().viewMode(), c.viewMode) << c.command;
        EXPECT_EQ(view().viewLines().size(), c.lines) << c.command;
        EXPECT_EQ(sel().mode, c.editMode) << c.command;
        EXPECT_EQ(view().paneText(Pane::Page).isEmpty(), !c.pagePane) << c.command;
        if (c.viewMode == ViewMode::Music) {
            // Entering Music mode selects the notes at the cursor.
            EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{96, 64}}));
            EXPECT_EQ(view().paneText(Pane::Mode), QStringLiteral("     Music Mode"));
            EXPECT_EQ(view().paneText(Pane::Editing), QStringLiteral("Editing : Melody"));
            EXPECT_GT(view().scrollSize().width(), view().viewport()->width());
        } else {
            EXPECT_TRUE(view().paneText(Pane::Editing).isEmpty());
        }
    }
    EXPECT_EQ(view().paneText(Pane::Mode), QStringLiteral("      Page Mode"));
}

TEST_F(MusicMode, ArrowKeysMoveTheCursorAndTheStatusFollows) {
    view().runCommand(Cmd::MusicMode);
    sel().pitchlo = sel().pitchhi = 64;
    key(Qt::Key_Right);
    EXPECT_EQ(sel().timestart, 96);
    EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{96, 64}}));
    key(Qt::Key_Up);
    EXPECT_EQ(sel().pitchTop(), 65);
    EXPECT_TRUE(sel().notes.empty());
    // 50 ticks into the second beat of bar 3 (4/4, ppqn 96).
    sel().timestart = 2 * 384 + 96 + 50;
    EXPECT_EQ(view().paneText(Pane::Position), QStringLiteral(" 3/2/50  /  75"));
    key(Qt::Key_End);
    EXPECT_EQ(sel().timestart, 28800 - 96);
    // The cursor at the far end of the long line is scrolled into view.
    EXPECT_GT(view().horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(view().viewport()->rect().intersects(view().cursorPixels()));
    key(Qt::Key_Home);
    EXPECT_LT(view().horizontalScrollBar()->value(), view().viewport()->width());
    EXPECT_TRUE(view().viewport()->rect().intersects(view().cursorPixels()));
}

TEST_F(MusicMode, ClicksShiftClicksAndTheRubberBandSelect) {
    view().runCommand(Cmd::MusicMode);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier, pixelOf(96, 64));
    EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{96, 64}}));
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::ShiftModifier, pixelOf(192, 67));
    EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{96, 64}, {192, 67}}));
    // A band around all three notes.
    const QPoint from = pixelOf(0, 72) - QPoint(20, 0), to = pixelOf(192, 58) + QPoint(20, 0);
    QTest::mousePress(view().viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(view().viewport(), (from + to) / 2);
    EXPECT_EQ(view().dragState(), 1);
    QTest::mouseRelease(view().viewport(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(sel().notes.size(), 3u);
    EXPECT_EQ(sel().timestart, 0);
    EXPECT_EQ(sel().pitchTop(), 67);  // fitted to the notes
    // A band that catches nothing stays where it was drawn.
    const QPoint a = pixelOf(384 * 4, 90), b = pixelOf(384 * 5, 84);
    QTest::mousePress(view().viewport(), Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(view().viewport(), b);
    QTest::mouseRelease(view().viewport(), Qt::LeftButton, Qt::NoModifier, b);
    EXPECT_TRUE(sel().notes.empty());
    EXPECT_GE(sel().timestart, 384 * 4 - 48);
    EXPECT_GT(sel().timeend, sel().timestart + 96);
    EXPECT_GT(sel().pitchTop(), sel().pitchBottom());
}

TEST_F(MusicMode, DraggingTheSelectionMovesItAndUndoPutsItBack) {
    view().runCommand(Cmd::MusicMode);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier, pixelOf(0, 60));
    ASSERT_EQ(sel().notes, (std::vector<CNoteRef>{{0, 60}}));
    const QPoint from = pixelOf(0, 60), to = pixelOf(384, 62);
    QTest::mousePress(view().viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(view().viewport(), (from + to) / 2);
    EXPECT_EQ(view().dragState(), 2);
    QTest::mouseMove(view().viewport(), to);
    QTest::mouseRelease(view().viewport(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(melody(), (std::vector<CNoteRef>{{96, 64}, {192, 67}, {384, 62}}));
    EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{384, 62}}));
    ASSERT_FALSE(doc().history().undoItems().empty());
    EXPECT_EQ(doc().history().undoItems().back().label, QStringLiteral("Move Notes"));
    child->runCommand(Cmd::EditUndo);
    EXPECT_EQ(melody(), (std::vector<CNoteRef>{{0, 60}, {96, 64}, {192, 67}}));
    EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{0, 60}}));
}

// An annotation typed in Annotation mode is picked and dragged with the mouse to a later
// time ("Move Item"), and Undo puts it back.
TEST_F(MusicMode, DraggingAnAnnotationMovesItAndUndoPutsItBack) {
    view().runCommand(Cmd::MusicMode);
    key(Qt::Key_G, Qt::ControlModifier);
    QTest::keyClicks(view().viewport(), QStringLiteral("dolce"));
    key(Qt::Key_Escape);
    const auto& annotations = doc().score().annotationTrack.events;
    ASSERT_EQ(annotations.size(), 1);
    ASSERT_EQ(annotations.at(0).text, QStringLiteral("dolce"));
    const int32_t time = annotations.at(0).time;
    const EventHitRect* hit = nullptr;
    const std::vector<EventHitRect> hits = view().visibleHitRects();
    for (const EventHitRect& h : hits)
        if (h.track == kAnnotationTrackRef) hit = &h;
    ASSERT_NE(hit, nullptr);
    const QPoint from = view().pixelsOf(QRect(hit->rect.center(), QSize(1, 1))).center();
    const QPoint to = from + QPoint(120, 0);
    QTest::mousePress(view().viewport(), Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_EQ(view().dragState(), 3);
    QTest::mouseMove(view().viewport(), (from + to) / 2);
    QTest::mouseMove(view().viewport(), to);
    QTest::mouseRelease(view().viewport(), Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_EQ(annotations.size(), 1);
    EXPECT_GT(annotations.at(0).time, time);
    ASSERT_FALSE(doc().history().undoItems().empty());
    EXPECT_EQ(doc().history().undoItems().back().label, text(StringId::MoveItem));
    child->runCommand(Cmd::EditUndo);
    EXPECT_EQ(doc().score().annotationTrack.events.at(0).time, time);
}

TEST_F(MusicMode, PartsMarkersAndGoToBar) {
    view().runCommand(Cmd::MusicMode);
    sel().pitchlo = sel().pitchhi = 48;
    key(Qt::Key_PageDown);  // part 1 is empty: on to the left hand
    EXPECT_EQ(sel().hand, Part::LeftHand);
    EXPECT_EQ(sel().notes, (std::vector<CNoteRef>{{0, 48}}));
    EXPECT_TRUE(view().commandState(Cmd::ChoosePart1 + 2)->checked);
    EXPECT_FALSE(view().commandState(Cmd::ChoosePart1 + 1)->enabled);
    key(Qt::Key_PageUp);
    EXPECT_EQ(sel().hand, Part::RightHand);

    // M adds a marker at the cursor (and the start marker); M at the start is refused.
    sel().timestart = 400;
    sel().timeend = 401;
    key(Qt::Key_M);
    EXPECT_EQ(doc().score().annotationTrack.events.size(), 2);
    sel().timestart = 0;
    sel().timeend = 1;
    key(Qt::Key_M);
    EXPECT_EQ(ui.messages, (std::vector<int>{StringId::MarkerAtStart}));

    int asked = -1;
    view().askBarNumber = [&](int current, int count) -> std::optional<int> {
        asked = current;
        EXPECT_EQ(count, 75);
        return 500;  // beyond the end: the last bar
    };
    view().runCommand(Cmd::GoToBar);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(sel().timestart, 74 * 384);
}

TEST_F(MusicMode, TrackSelectClicksHighlightATrack) {
    view().runCommand(Cmd::TrackSelectMode);
    ASSERT_EQ(view().viewLines().size(), 2u);
    const CScoreLine& second = view().viewLines()[1];
    const QPoint at =
        view().pixelsOf(QRect(second.left + 100, second.staveTop + 50, 1, 1)).center();
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(sel().selecttrack, 1);
    key(Qt::Key_Up);
    EXPECT_EQ(sel().selecttrack, 0);
}

}  // namespace
