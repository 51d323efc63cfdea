// Note entry at the cursor and the edits of the selected notes: insert, next/previous
// note, delete, select all, note lengths and moving notes to another part.
#include "edit/NoteEntry.h"
#include "edit/SelectionOps.h"
#include "tests/edit/NoteEditTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class NoteEntry : public NoteEditTest {};

TEST_F(NoteEntry, InsertAddsTheNoteAdvancesAndRebuildsOnlyWhatItMust) {
    cursorAt(96, 64);
    auto c = ctx();
    EXPECT_EQ(insertNoteAtCursor(c, 48), EditOutcome::Score);
    ASSERT_EQ(notes(), (std::vector<CNoteRef>{{96, 64}}));
    const CNote& n = score.track(0).notes.at(0);
    EXPECT_EQ(n.duration, 48);
    EXPECT_EQ(n.velocity, 100);
    EXPECT_EQ(n.work0, 48);
    EXPECT_EQ(lastLabel(), QStringLiteral("Insert Notes"));
    EXPECT_EQ(history->undoItems().back().kind, UndoKind::Track);
    EXPECT_EQ(score.selection.timestart, 144);
    expectChordsAsRebuilt();
    // A second note after a long one in the next bar: the windowed rebuild agrees too.
    cursorAt(380, 60);
    insertNoteAtCursor(c, 96);
    expectChordsAsRebuilt();
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{96, 64}}));
}

TEST_F(NoteEntry, InsertIsRefusedOnAnExistingNoteOrWithoutATrack) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60}});
    cursorAt(0, 60);
    auto c = ctx();
    EXPECT_EQ(insertNoteAtCursor(c, 96), EditOutcome::Nothing);
    EXPECT_EQ(steps(), 0u);
    score.assignTrackToPart(-1, Part::RightHand);
    cursorAt(96, 62);
    EXPECT_EQ(insertNoteAtCursor(c, 96), EditOutcome::Nothing);
    EXPECT_EQ(steps(), 0u);
}

TEST_F(NoteEntry, TheCursorStopsOneStepBeforeTheEnd) {
    cursorAt(672, 60);  // the last crotchet of two bars
    auto c = ctx();
    insertNoteAtCursor(c, 96);
    EXPECT_EQ(score.selection.timestart, 672);
    EXPECT_EQ(score.selection.notes, (std::vector<CNoteRef>{{672, 60}}));
}

TEST_F(NoteEntry, NextAndPreviousNoteSkipTieContinuations) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60},
              {.time = 96, .duration = 96, .flags = NoteFlag::TieStart, .pitch = 62},
              {.time = 192, .duration = 96, .flags = NoteFlag::TieEnd, .pitch = 62},
              {.time = 288, .duration = 96, .pitch = 65}});
    cursorAt(0, 60);
    EXPECT_EQ(stepToNote(score, +1), EditOutcome::Selection);
    EXPECT_EQ(score.selection.timestart, 96);
    EXPECT_EQ(score.selection.pitchTop(), 62);
    stepToNote(score, +1);
    EXPECT_EQ(score.selection.timestart, 288);
    stepToNote(score, -1);
    EXPECT_EQ(score.selection.timestart, 96);
    cursorAt(0, 60);
    EXPECT_EQ(stepToNote(score, -1), EditOutcome::Nothing);
}

TEST_F(NoteEntry, DeleteTakesLyricsAndMarksLeftOnRests) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60},
              {.time = 0, .duration = 96, .pitch = 64},
              {.time = 96, .duration = 96, .pitch = 62}});
    CTrack* t = score.trackPtr(0);
    t->events.Add(CEvent{.time = 0, .text = "la", .type = EventType::Lyric});
    t->events.Add(CEvent{.time = 96, .text = "di", .type = EventType::Lyric});
    select({{96, 62}});
    auto c = ctx();
    EXPECT_EQ(deleteSelection(c).outcome, EditOutcome::Score);
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{0, 60}, {0, 64}}));
    ASSERT_EQ(score.track(0).events.size(), 1);
    EXPECT_EQ(score.track(0).events.at(0).text, QStringLiteral("la"));
    EXPECT_EQ(lastLabel(), QStringLiteral("Delete Notes"));
    EXPECT_TRUE(score.selection.notes.empty());
    expectChordsAsRebuilt();
    // One note of a chord goes; the lyric of the chord stays.
    select({{0, 64}});
    deleteSelection(c);
    EXPECT_EQ(score.track(0).events.size(), 1);
}

TEST_F(NoteEntry, DeleteKeepsTheLastTempoMark) {
    score.tempoTrack.events.Add(CEvent{.time = 0, .type = EventType::Tempo, .data = {1, 120}});
    score.selection.objects = {{kTempoTrackRef, 0}};
    auto c = ctx();
    EXPECT_EQ(deleteSelection(c).outcome, EditOutcome::Nothing);
    score.tempoTrack.events.Add(CEvent{.time = 384, .type = EventType::Tempo, .data = {1, 90}});
    score.selection.objects = {{kTempoTrackRef, 1}};
    EXPECT_EQ(deleteSelection(c).outcome, EditOutcome::Score);
    EXPECT_EQ(score.tempoTrack.events.size(), 1);
    EXPECT_EQ(lastLabel(), QStringLiteral("Delete Tempo"));
    EXPECT_EQ(score.selection.mode, EditMode::Notes);
}

TEST_F(NoteEntry, SelectAllFitsTheBoxToEveryNote) {
    useNotes(
        {{.time = 96, .duration = 96, .pitch = 50}, {.time = 480, .duration = 96, .pitch = 70}});
    selectAll(score);
    EXPECT_EQ(score.selection.notes.size(), 2u);
    EXPECT_EQ(score.selection.timestart, 96);
    EXPECT_EQ(score.selection.pitchTop(), 70);
    EXPECT_EQ(score.selection.pitchBottom(), 50);
}

TEST_F(NoteEntry, NoteLengthsStopAtTheNextNoteAndKeepAMinimum) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60},
              {.time = 144, .duration = 96, .pitch = 60},
              {.time = 384, .duration = 12, .pitch = 62}});
    select({{0, 60}, {384, 62}});
    auto c = ctx();
    EXPECT_EQ(changeNoteLengths(c, 96), EditOutcome::Score);
    EXPECT_EQ(score.track(0).notes.at(0).duration, 144);  // stopped by the note at 144
    EXPECT_EQ(lastLabel(), QStringLiteral("Change Note Lengths"));
    select({{384, 62}});
    const size_t before = steps();
    EXPECT_EQ(changeNoteLengths(c, -100), EditOutcome::Nothing);  // 108 - 100 is under ppqn / 8
    EXPECT_EQ(steps(), before);
    // A lengthened note stops at the track's end.
    select({{144, 60}});
    EXPECT_EQ(changeNoteLengths(c, 768), EditOutcome::Score);
    int32_t end = 0;
    for (const CNote& n : score.track(0).notes)
        if (n.pitch == 60) end = std::max(end, n.end());
    EXPECT_EQ(end, 768);
    EXPECT_EQ(score.length, 768);
    expectChordsAsRebuilt();
}

TEST_F(NoteEntry, NotesMoveToTheNextPartWithATrack) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60}});
    select({{0, 60}});
    auto c = ctx();
    // Parts 2 and 3 empty, the current part 1: nothing, no step.
    EXPECT_EQ(moveNotesToPart(c, +1), EditOutcome::Nothing);
    EXPECT_EQ(steps(), 0u);
    score.addTrack(CTrack{});
    score.assignTrackToPart(1, Part::LeftHand);
    score.rebuildAllTracks();
    EXPECT_EQ(moveNotesToPart(c, +1), EditOutcome::Score);
    EXPECT_TRUE(notes(0).empty());
    EXPECT_EQ(notes(1), (std::vector<CNoteRef>{{0, 60}}));
    EXPECT_EQ(score.selection.hand, 0);
    EXPECT_EQ(lastLabel(), QStringLiteral("Move Notes"));
    expectChordsAsRebuilt(1);
}

}  // namespace
