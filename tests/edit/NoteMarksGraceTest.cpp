// Accents, staccato and fingering; grace notes and Grace mode; bar line styles.
#include "edit/BarlineStyles.h"
#include "edit/EditTextIds.h"
#include "edit/GraceNotes.h"
#include "edit/NoteMarks.h"
#include "edit/SelectionOps.h"
#include "tests/edit/NoteEditTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class Decorations : public NoteEditTest {
  protected:
    void SetUp() override {
        NoteEditTest::SetUp();
        useNotes({{.time = 0, .duration = 96, .pitch = 60},
                  {.time = 0, .duration = 96, .pitch = 64},
                  {.time = 96, .duration = 96, .pitch = 62}});
    }
    int32_t marksAt(int32_t time) const {
        for (const CEvent& e : score.track(0).events)
            if (e.type == EventType::NoteMarks && e.time == time) return e.data[0];
        return 0;
    }
    const CEvent* grace() const {
        for (const CEvent& e : score.track(0).events)
            if (e.type == EventType::GraceNote) return &e;
        return nullptr;
    }
};

TEST_F(Decorations, AccentTwiceOnAChordAddsThenRemoves) {
    cursorAt(0, 64);
    select({{0, 60}, {0, 64}});
    auto c = ctx();
    EXPECT_EQ(toggleNoteMark(c, NoteMark::Accent).outcome, EditOutcome::Score);
    EXPECT_EQ(marksAt(0), NoteMark::Accent);
    EXPECT_EQ(lastLabel(), QStringLiteral("Add Ornament"));
    toggleNoteMark(c, NoteMark::Finger1 << 2);  // finger 3 joins the accent
    EXPECT_EQ(marksAt(0), NoteMark::Accent | 0x08);
    toggleNoteMark(c, NoteMark::Accent);
    EXPECT_EQ(marksAt(0), 0x08);
    EXPECT_EQ(lastLabel(), QStringLiteral("Remove Ornament"));
}

TEST_F(Decorations, FingeringOnNotesAtDifferentTimesShowsTheMessage) {
    cursorAt(0, 64);
    select({{0, 60}, {96, 62}});
    auto c = ctx();
    const NoteMarkOutcome out = toggleNoteMark(c, NoteMark::Finger1);
    EXPECT_EQ(out.message, StringId::FingeringAtOneTime);
    EXPECT_EQ(out.outcome, EditOutcome::Nothing);
    EXPECT_EQ(steps(), 0u);
}

TEST_F(Decorations, ClearTakesFingersFirstAndOffsetsReset) {
    cursorAt(0, 64);
    select({{0, 60}});
    auto c = ctx();
    toggleNoteMark(c, NoteMark::Staccato);
    toggleNoteMark(c, NoteMark::Accent);
    toggleNoteMark(c, 0x10);  // finger 4
    clearNoteMarks(c, false);
    EXPECT_EQ(marksAt(0), NoteMark::Accent | NoteMark::Staccato);
    clearNoteMarks(c, false);
    EXPECT_EQ(marksAt(0), NoteMark::Staccato);
    EXPECT_EQ(lastLabel(), QStringLiteral("Clear Ornament"));
    EXPECT_FALSE(anyNoteMarkOffset(score));
    moveNoteMarks(c, +1);
    EXPECT_TRUE(anyNoteMarkOffset(score));
    EXPECT_EQ(resetNoteMarkOffsets(c), EditOutcome::Score);
    EXPECT_FALSE(anyNoteMarkOffset(score));
    EXPECT_EQ(resetNoteMarkOffsets(c), EditOutcome::Nothing);
}

TEST_F(Decorations, GraceModeAddsEditsAndRemovesTheGraceNote) {
    cursorAt(96, 62);
    selectAtCursor(score, false);
    auto c = ctx();
    EXPECT_FALSE(selectedNoteHasGrace(score));
    EXPECT_EQ(enterGraceMode(c), EditOutcome::Score);
    EXPECT_EQ(score.selection.mode, EditMode::Grace);
    ASSERT_NE(grace(), nullptr);
    EXPECT_EQ(grace()->data[0], 62);
    EXPECT_EQ(grace()->data[2], 62);
    EXPECT_TRUE(score.track(0).notes.at(2).flags & NoteFlag::Grace);
    EXPECT_EQ(lastLabel(), QStringLiteral("Add Grace Note"));
    changeGracePitch(c, +12);
    changeGracePitch(c, +100);  // clamped at 127
    EXPECT_EQ(grace()->data[0], 127);
    EXPECT_EQ(score.selection.pitchTop(), 127);
    leaveGraceMode(score);
    EXPECT_EQ(score.selection.mode, EditMode::Notes);
    EXPECT_EQ(score.selection.pitchTop(), 62);
    EXPECT_TRUE(selectedNoteHasGrace(score));
    // Entering again finds the grace note and records nothing.
    const size_t before = steps();
    EXPECT_EQ(enterGraceMode(c), EditOutcome::Selection);
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(score.selection.pitchTop(), 127);
    EXPECT_EQ(removeGraceNote(c), EditOutcome::Score);
    EXPECT_EQ(grace(), nullptr);
    EXPECT_FALSE(score.track(0).notes.at(2).flags & NoteFlag::Grace);
    EXPECT_EQ(score.selection.mode, EditMode::Notes);
}

TEST_F(Decorations, GraceModeNeedsExactlyOneNote) {
    cursorAt(0, 64);
    select({{0, 60}, {0, 64}});
    auto c = ctx();
    EXPECT_EQ(enterGraceMode(c), EditOutcome::Nothing);
    EXPECT_EQ(steps(), 0u);
}

TEST_F(Decorations, BarLinesStepAndTheFirstBarKeepsItsLeftLine) {
    auto c = ctx();
    cursorAt(0, 60);
    EXPECT_EQ(stepBarlineStyle(c, true), EditOutcome::Nothing);
    EXPECT_EQ(score.bar(0).styleLeft, 0);
    EXPECT_EQ(steps(), 0u);
    EXPECT_EQ(stepBarlineStyle(c, false), EditOutcome::Score);
    EXPECT_EQ(score.bar(0).styleRight, 1);
    EXPECT_EQ(lastLabel(), QStringLiteral("Bar Line Style"));
    EXPECT_EQ(history->undoItems().back().kind, UndoKind::Bar);
    setBarlineStyle(c, false, 5);
    stepBarlineStyle(c, false);  // after None back to Normal
    EXPECT_EQ(score.bar(0).styleRight, 0);
    cursorAt(400, 60);
    setBarlineStyle(c, true, 3);
    EXPECT_EQ(score.bar(1).styleLeft, 3);
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(score.bar(1).styleLeft, 0);
}

}  // namespace
