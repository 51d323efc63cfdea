// Music mode's cursor and selection as plain logic: the edit modes, the cursor keys,
// selecting the notes in the box, fitting the box, and placing the cursor by a click.
#include <gtest/gtest.h>

#include "edit/CursorKeys.h"
#include "edit/EditModes.h"
#include "edit/NoteLength.h"
#include "edit/SelectionOps.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class Cursor : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        // Bar 1: C4 crotchet at 0, a chord E4+G4 at 96, a C5 at 288 tied over the bar line.
        score =
            scoreWithTrack({{.time = 0, .duration = 96, .pitch = 60},
                            {.time = 96, .duration = 96, .pitch = 64},
                            {.time = 96, .duration = 96, .pitch = 67},
                            {.time = 288, .duration = 96, .flags = NoteFlag::TieStart, .pitch = 72},
                            {.time = 384, .duration = 96, .flags = NoteFlag::TieEnd, .pitch = 72}},
                           4);
        score.rebuildAllTracks();
        history = std::make_unique<CUndoHistory>(&score);
    }
    EditOutcome key(CursorKey k, bool shift = false, bool ctrl = false) {
        CursorKeyContext ctx{{score, *history}, 96, {}};
        return cursorKey(ctx, k, shift, ctrl);
    }
    CSelection& sel() { return score.selection; }
    void cursorAt(int32_t time, int32_t pitch) {
        collapseCursor(sel(), time, pitch);
        sel().mode = EditMode::Notes;
    }

    CScore score;
    std::unique_ptr<CUndoHistory> history;
};

TEST_F(Cursor, LeftAndRightStepAndStayInsideTheScore) {
    cursorAt(0, 60);
    key(CursorKey::Left);
    EXPECT_EQ(sel().timestart, 0);
    cursorAt(130, 60);  // off the grid: to the boundary before, then a whole step
    key(CursorKey::Left);
    EXPECT_EQ(sel().timestart, 96);
    key(CursorKey::Left);
    EXPECT_EQ(sel().timestart, 0);
    cursorAt(130, 60);
    key(CursorKey::Right);
    EXPECT_EQ(sel().timestart, 192);
    cursorAt(1530, 60);  // near the end of 1536 ticks: at most length - step
    key(CursorKey::Right);
    EXPECT_EQ(sel().timestart, 1536 - 96);
    EXPECT_EQ(sel().timeend, sel().timestart + 1);
}

TEST_F(Cursor, ShiftLeftAndRightGoByBars) {
    cursorAt(500, 60);
    key(CursorKey::Left, true);
    EXPECT_EQ(sel().timestart, 384);
    key(CursorKey::Left, true);  // at a bar start: the previous bar
    EXPECT_EQ(sel().timestart, 0);
    key(CursorKey::Right, true);
    EXPECT_EQ(sel().timestart, 384);
    cursorAt(1200, 60);
    key(CursorKey::Right, true);  // no bar after the last: clamped
    EXPECT_EQ(sel().timestart, 1536 - 96);
}

TEST_F(Cursor, UpAndDownClampThePitch) {
    cursorAt(0, 127);
    key(CursorKey::Up);
    EXPECT_EQ(sel().pitchTop(), 127);
    cursorAt(0, 5);
    key(CursorKey::Down, true);
    EXPECT_EQ(sel().pitchTop(), 0);
    EXPECT_EQ(sel().pitchBottom(), 0);
    cursorAt(0, 59);
    key(CursorKey::Up);  // onto C4: selected
    ASSERT_EQ(sel().notes.size(), 1u);
    EXPECT_EQ(sel().notes[0], (CNoteRef{0, 60}));
}

TEST_F(Cursor, HomeAndEndSelectAndFit) {
    cursorAt(700, 60);
    key(CursorKey::Home);
    EXPECT_EQ(sel().timestart, 0);
    EXPECT_EQ(sel().notes.size(), 1u);
    key(CursorKey::End);
    EXPECT_EQ(sel().timestart, 1536 - 96);
    EXPECT_TRUE(sel().notes.empty());
}

TEST_F(Cursor, RightSelectsOnlyNotesOfTheCursorPitch) {
    cursorAt(0, 64);
    key(CursorKey::Right);
    ASSERT_EQ(sel().notes.size(), 1u);
    EXPECT_EQ(sel().notes[0], (CNoteRef{96, 64}));
}

TEST_F(Cursor, SelectAtCursorTakesTiedPiecesAndToggles) {
    // The box over both bars at all pitches: the tied minim counts once with its piece.
    sel().timestart = 0;
    sel().timeend = 768;
    sel().pitchlo = 127;
    sel().pitchhi = 0;
    selectAtCursor(score, false);
    const CTrack& t = score.track(0);
    EXPECT_EQ(t.notes.size(), 5);
    EXPECT_EQ(sel().notes.size(), 5u);
    // Toggling the first note alone leaves the others.
    collapseCursor(sel(), 0, 60);
    selectAtCursor(score, true);
    EXPECT_EQ(sel().notes.size(), 4u);
    selectAtCursor(score, true);
    EXPECT_EQ(sel().notes.size(), 5u);
    // A box starting at the tied piece takes nothing: the piece continues a tie.
    sel().timestart = 384;
    sel().timeend = 400;
    selectAtCursor(score, false);
    EXPECT_TRUE(sel().notes.empty());
}

TEST_F(Cursor, FitBoxToNotes) {
    sel().timestart = 90;
    sel().timeend = 200;
    sel().pitchlo = 100;
    sel().pitchhi = 10;
    selectAtCursor(score, false);
    fitBoxToNotes(score);
    EXPECT_EQ(sel().timestart, 96);
    EXPECT_EQ(sel().timeend, 97);
    EXPECT_EQ(sel().pitchTop(), 67);
    EXPECT_EQ(sel().pitchBottom(), 64);
}

TEST_F(Cursor, ClickSnapsToTheStepWhenNoNoteIsHit) {
    struct Case {
        int32_t tick, pitch, expectTime;
        size_t expectNotes;
    };
    const Case cases[] = {
        {120, 50, 96, 0},     // 120 + 24 = 144 -> 96
        {170, 50, 192, 0},    // 170 + 24 = 194 -> 192
        {1530, 50, 1440, 0},  // clamped to length - step
        {10, 61, 0, 1},       // beside C4: widened by a semitone, C4 selected
        {150, 66, 96, 1},     // overlapping the chord at 96, G4 is a semitone away
    };
    for (const Case& c : cases) {
        placeCursorAt(score, {c.tick, c.tick + 1, c.pitch, c.pitch}, 96);
        EXPECT_EQ(sel().timestart, c.expectTime) << c.tick;
        EXPECT_EQ(sel().notes.size(), c.expectNotes) << c.tick;
        if (c.expectNotes == 0) EXPECT_EQ(sel().pitchTop(), c.pitch);
    }
}

TEST_F(Cursor, EditModesKeepTheirCursorShape) {
    struct Case {
        int32_t mode;
        int32_t timeend, top, bottom;
        bool notesKept, objectCleared;
    };
    const Case cases[] = {
        {EditMode::Notes, 97, 70, 70, false, true},
        {EditMode::Picked, 97, 70, 70, false, true},
        {EditMode::Annotation, 97, 70, 70, true, true},
        {EditMode::Lyric, 97, 70, 70, true, true},
        {EditMode::Tuplet, 300, 70, 60, true, false},
        {EditMode::Grace, 300, 127, 0, true, true},
        {EditMode::TempoMark, 97, 70, 70, true, true},
        {EditMode::TrackSelect, 300, 70, 60, true, false},
    };
    for (const Case& c : cases) {
        CSelection& s = sel();
        s.mode = 99;
        s.timestart = 96;
        s.timeend = 300;
        s.pitchlo = 70;
        s.pitchhi = 60;
        s.notes = {{96, 64}};
        s.lyricindex = 2;
        s.selecttrack = 7;
        s.currentObject = {kAnnotationTrackRef, 0};
        setEditMode(score, c.mode);
        EXPECT_EQ(s.mode, c.mode);
        EXPECT_EQ(s.timeend, c.timeend) << c.mode;
        EXPECT_EQ(s.pitchTop(), c.top) << c.mode;
        EXPECT_EQ(s.pitchBottom(), c.bottom) << c.mode;
        EXPECT_EQ(!s.notes.empty(), c.notesKept) << c.mode;
        EXPECT_EQ(!s.currentObject.valid(), c.objectCleared) << c.mode;
        if (c.mode == EditMode::Lyric) EXPECT_EQ(s.lyricindex, 0);
        if (c.mode == EditMode::TrackSelect) EXPECT_EQ(s.selecttrack, 0);  // one track
    }
    // The same mode again changes nothing.
    sel().timeend = 500;
    setEditMode(score, EditMode::TrackSelect);
    EXPECT_EQ(sel().timeend, 500);
}

TEST_F(Cursor, ArrowsInAnnotationModePickAndCtrlMovesThePick) {
    CEvent words;
    words.type = EventType::Annotation;
    words.time = 96;
    words.setKey(70);
    words.text = QStringLiteral("dolce");
    score.annotationTrack.addEvent(words);
    cursorAt(0, 70);
    sel().mode = EditMode::Annotation;
    key(CursorKey::Right);
    EXPECT_EQ(sel().currentObject, (CEventRef{kAnnotationTrackRef, 0}));
    EXPECT_TRUE(history->undoItems().empty());
    key(CursorKey::Up, true, true);  // an octave up
    EXPECT_EQ(score.annotationTrack.events.at(0).key(), 82);
    key(CursorKey::Right, false, true);
    EXPECT_EQ(score.annotationTrack.events.at(0).time, 192);
    ASSERT_EQ(history->undoItems().size(), 2u);
    EXPECT_EQ(history->undoItems()[0].label, QStringLiteral("Move Item"));
    // Tempo-mark editing ignores the arrows.
    sel().mode = EditMode::TempoMark;
    EXPECT_EQ(key(CursorKey::Left), EditOutcome::Nothing);
}

TEST(NoteLength, StepsFollowTheFactorTable) {
    EXPECT_EQ(currentNoteLength(), kDefaultNoteLength);
    EXPECT_EQ(noteLengthTicks(96, 3), 96);
    EXPECT_EQ(noteLengthTicks(96, 0), 12);
    EXPECT_EQ(noteLengthTicks(96, 12), 16);   // triplet semiquaver
    EXPECT_EQ(noteLengthTicks(96, 15), 128);  // triplet minim
    EXPECT_EQ(noteLengthTicks(96, 9), 576);
    EXPECT_EQ(noteLengthTicks(96, 16), 96);  // beyond the table: a crotchet
    EXPECT_EQ(noteLengthTicks(96, -1), 96);
}

}  // namespace
