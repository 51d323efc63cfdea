// Writing music in the document view as a user would on the offscreen platform: a
// script of keystrokes that writes a two-bar, two-hand phrase and is compared with the
// saved document, entry with the mouse, and the menu items of the editing commands.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>
#include <QTest>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveApp.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/NoteLengthWindow.h"
#include "edit/NoteLength.h"
#include "render/layout/LayoutUnit.h"
#include "render/layout/StaveGeometry.h"
#include "render/layout/TickMapping.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"
#include "tests/app/ShellFixture.h"

using namespace ks;
using namespace ks::test;

namespace {

struct Written {
    int32_t time, duration, pitch;
    bool operator==(const Written&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Written& w) {
    return os << "{" << w.time << ", " << w.duration << ", " << w.pitch << "}";
}

class NoteEntryView : public ::testing::Test {
  protected:
    void SetUp() override {
        setCurrentNoteLength(kDefaultNoteLength);
        child = new CChildFrame(session, ui);
        child->newDocument();
        child->resize(900, 600);
        child->show();
        view().runCommand(Cmd::MusicMode);
    }
    void TearDown() override {
        delete child;
        setCurrentNoteLength(kDefaultNoteLength);
    }
    CKeystaveView& view() { return child->view(); }
    CScore& score() { return child->document().score(); }
    CSelection& sel() { return score().selection; }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(view().viewport(), static_cast<Qt::Key>(k), m);
    }
    void type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(view().viewport(), c.toLatin1());
    }
    // The notes of a track as written: tied pieces joined again.
    static std::vector<Written> written(const CScore& s, int track) {
        std::vector<Written> out;
        for (const CNote& n : s.track(track).notes) {
            if (n.flags & NoteFlag::TieEnd) continue;
            int32_t end = n.end();
            for (const CNote* piece = &n; piece->flags & NoteFlag::TieStart;) {
                const int next =
                    s.track(track).notes.find(CNote{.time = piece->end(), .pitch = n.pitch});
                if (next < 0) break;
                piece = &s.track(track).notes.at(next);
                end = piece->end();
            }
            out.push_back({n.time, end - n.time, n.pitch});
        }
        return out;
    }
    QPoint pixelOf(int32_t tick, int32_t pitch) {
        const int bar = score().barAtTick(tick);
        const int32_t x = tickToX(score(), bar, tick) + 20;
        const int32_t y = pitchToY(view().viewLines().front(), layoutUnit(score()), pitch);
        return view().pixelsOf(QRect(x, y, 1, 1)).center();
    }

    StorageSession session{false};
    FakeUserInterface ui;
    CChildFrame* child = nullptr;
};

TEST_F(NoteEntryView, AKeystrokeScriptWritesATwoHandPhraseThatIsSaved) {
    // Right hand, bar 1: C D E F crotchets, with fingering 1 on the C; bar 2: a G semibreve.
    key(Qt::Key_4);
    key(Qt::Key_Insert);
    key(Qt::Key_Left);
    key(Qt::Key_Exclam, Qt::ShiftModifier);  // Shift+1: finger 1
    key(Qt::Key_Right);
    key(Qt::Key_Up, {}, 2);
    key(Qt::Key_Insert);
    key(Qt::Key_Up, {}, 2);
    key(Qt::Key_I, Qt::ControlModifier);
    key(Qt::Key_Up);
    key(Qt::Key_Insert);
    key(Qt::Key_7);
    key(Qt::Key_Up, {}, 2);
    key(Qt::Key_Insert);
    // A lyric under the first two notes.
    key(Qt::Key_Home);
    key(Qt::Key_Down, {}, 7);  // onto the C
    key(Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(sel().mode, EditMode::Lyric);
    type("la");
    key(Qt::Key_Minus);
    type("la");
    key(Qt::Key_Return);
    EXPECT_EQ(sel().mode, EditMode::Notes);
    // Left hand: C3 and G2 minims, then a C3 semibreve.
    key(Qt::Key_PageDown);
    ASSERT_EQ(sel().hand, Part::LeftHand);
    key(Qt::Key_Home);
    sel().pitchlo = sel().pitchhi = 48;
    key(Qt::Key_6);
    key(Qt::Key_Insert);
    key(Qt::Key_Down, {}, 5);
    key(Qt::Key_Insert);
    key(Qt::Key_7);
    key(Qt::Key_Up, {}, 5);
    key(Qt::Key_Insert);
    // An annotation at the start.
    key(Qt::Key_Home);
    key(Qt::Key_G, Qt::ControlModifier);
    type("mf");
    key(Qt::Key_Return);

    const std::vector<Written> right = {
        {0, 96, 60}, {96, 96, 62}, {192, 96, 64}, {288, 96, 65}, {384, 384, 67}};
    const std::vector<Written> left = {{0, 192, 48}, {192, 192, 43}, {384, 384, 48}};
    EXPECT_EQ(written(score(), 0), right);
    EXPECT_EQ(written(score(), 1), left);

    QTemporaryDir dir;
    const QString path = dir.filePath("phrase.ksv");
    ASSERT_TRUE(child->document().save(path));
    StorageSession other{false};
    CKeystaveDoc reopened(other, &ui);
    ASSERT_TRUE(reopened.open(path));
    const CScore& saved = reopened.score();
    EXPECT_EQ(written(saved, 0), right);
    EXPECT_EQ(written(saved, 1), left);
    QStringList lyrics;
    int32_t fingering = 0;
    for (const CEvent& e : saved.track(0).events) {
        if (e.type == EventType::Lyric) lyrics.append(e.text);
        if (e.type == EventType::NoteMarks && e.time == 0) fingering = e.data[0];
    }
    EXPECT_EQ(lyrics, (QStringList{"la-", "la"}));
    EXPECT_EQ(fingering, NoteMark::Finger1);
    ASSERT_EQ(saved.annotationTrack.events.size(), 1);
    EXPECT_EQ(saved.annotationTrack.events.at(0).text, QStringLiteral("mf"));

    // Every step undoes: the whole phrase goes again.
    while (child->document().history().Undo()) {
    }
    EXPECT_TRUE(score().track(0).notes.empty());
    EXPECT_TRUE(score().track(1).notes.empty());
}

TEST_F(NoteEntryView, AClickInAnEmptyPlaceAndInsertWriteANote) {
    view().resize(900, 500);
    const QPoint at = pixelOf(192, 67);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(sel().timestart, 192);
    EXPECT_EQ(sel().pitchTop(), 67);
    EXPECT_TRUE(score().track(0).notes.empty());  // a click never writes a note
    view().runCommand(Cmd::NoteLength32nd + 2);   // a quaver, as from the menu
    view().runCommand(Cmd::InsertNote);
    EXPECT_EQ(written(score(), 0), (std::vector<Written>{{192, 48, 67}}));
    EXPECT_EQ(sel().timestart, 240);
}

TEST_F(NoteEntryView, CtrlClickOnTheSelectionMovesItToTheNextPart) {
    view().resize(900, 500);
    sel().pitchlo = sel().pitchhi = 72;
    key(Qt::Key_Insert);
    key(Qt::Key_Left);
    ASSERT_EQ(sel().notes.size(), 1u);
    EXPECT_EQ(view().contextMenuCommands().back(), Cmd::NotesToPreviousPart);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::ControlModifier, pixelOf(0, 72));
    EXPECT_TRUE(score().track(0).notes.empty());
    EXPECT_EQ(written(score(), 1), (std::vector<Written>{{0, 96, 72}}));
    EXPECT_EQ(sel().hand, Part::RightHand);
    view().runCommand(Cmd::PageMode);
    EXPECT_EQ(view().contextMenuCommands().size(), 7u);  // the zoom entries only
}

TEST_F(NoteEntryView, MenuItemsFollowTheModeAndTheSelection) {
    EXPECT_TRUE(view().commandState(Cmd::InsertNote)->enabled);
    EXPECT_FALSE(view().commandState(Cmd::Accent)->enabled);  // nothing selected
    key(Qt::Key_Insert);
    key(Qt::Key_Left);
    ASSERT_EQ(sel().notes.size(), 1u);
    EXPECT_TRUE(view().commandState(Cmd::Accent)->enabled);
    EXPECT_TRUE(view().commandState(Cmd::GraceNote)->text.startsWith(u"Add &Grace Note"));
    key(Qt::Key_Apostrophe);
    EXPECT_EQ(sel().mode, EditMode::Grace);
    const std::optional<CommandState> grace = view().commandState(Cmd::GraceNote);
    EXPECT_TRUE(grace->text.startsWith(u"Edit &Grace Note"));
    EXPECT_TRUE(grace->checked);
    key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);  // an octave up
    key(Qt::Key_Escape);
    EXPECT_EQ(sel().mode, EditMode::Notes);
    int32_t gracePitch = -1;
    for (const CEvent& e : score().track(0).events)
        if (e.type == EventType::GraceNote) gracePitch = e.data[0];
    EXPECT_EQ(gracePitch, 72);
    // A tuplet: Ctrl+T asks for the count.
    view().askTupletCount = [] { return 3; };
    key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(sel().mode, EditMode::Tuplet);
    key(Qt::Key_Return);
    EXPECT_EQ(sel().mode, EditMode::Notes);
    view().runCommand(Cmd::PageMode);
    EXPECT_FALSE(view().commandState(Cmd::InsertNote)->enabled);
    EXPECT_FALSE(view().commandState(Cmd::EditSelectAll)->enabled);
}

class NoteEntryShell : public Shell {};

TEST_F(NoteEntryShell, TheNoteLengthWindowWritesNotesAndHotKeysTakeTheCommandPath) {
    setCurrentNoteLength(kDefaultNoteLength);
    start();
    CMainFrame& frame = *app->frame();
    CKeystaveView& view = *frame.activeView();
    const CScore& score = frame.activeChild()->document().score();
    ASSERT_TRUE(frame.routeCommand(Cmd::MusicMode));
    ASSERT_TRUE(frame.routeCommand(Cmd::NotePanel));
    auto* window = frame.findChild<CNoteLengthWindow*>();
    ASSERT_NE(window, nullptr);
    window->buttons()->button(2)->click();  // a quaver
    auto* insert = window->findChild<QPushButton*>(QStringLiteral("insertNote"));
    ASSERT_NE(insert, nullptr);
    insert->click();
    insert->click();
    ASSERT_EQ(score.track(0).notes.size(), 2);
    EXPECT_EQ(score.track(0).notes.at(1).time, 48);
    EXPECT_EQ(score.track(0).notes.at(1).duration, 48);
    // The key 7 goes through the frame to the view's note-length command.
    QTest::keyClick(view.viewport(), Qt::Key_7);
    EXPECT_EQ(currentNoteLength(), 6);
    // Undo of the frame takes back the last note.
    ASSERT_TRUE(frame.routeCommand(Cmd::EditUndo));
    EXPECT_EQ(score.track(0).notes.size(), 1);
    setCurrentNoteLength(kDefaultNoteLength);
}

}  // namespace
