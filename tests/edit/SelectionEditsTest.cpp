// Edits that start from the selection: moving, copying and transposing the selected
// notes, section markers, choosing the part and going to a bar.
#include <gtest/gtest.h>

#include "edit/MoveSelection.h"
#include "edit/PartCommands.h"
#include "edit/SectionMarkerCommands.h"
#include "edit/SelectionOps.h"
#include "model/StringIds.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class SelectionEdits : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        score = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 60},
                                {.time = 96, .duration = 96, .pitch = 62},
                                {.time = 192, .duration = 96, .pitch = 64}},
                               2);
        score.rebuildAllTracks();
        history = std::make_unique<CUndoHistory>(&score);
    }
    void select(std::vector<CNoteRef> notes) { score.selection.notes = std::move(notes); }
    EditOutcome move(int32_t dt, int32_t dp, bool copy = false) {
        EditContext ctx{score, *history};
        return moveSelection(ctx, dt, dp, copy);
    }
    QString lastLabel() const {
        return history->undoItems().empty() ? QString() : history->undoItems().back().label;
    }
    std::vector<CNoteRef> notes() const {
        std::vector<CNoteRef> out;
        for (const CNote& n : score.track(0).notes)
            out.push_back({n.time, n.pitch});
        return out;
    }
    int markers() const {
        int n = 0;
        for (const CEvent& e : score.annotationTrack.events)
            n += e.type == EventType::SectionMarker;
        return n;
    }

    CScore score;
    std::unique_ptr<CUndoHistory> history;
};

TEST_F(SelectionEdits, MoveInTimeAndPitchWithItsLabel) {
    select({{0, 60}});
    EXPECT_EQ(move(288, 3), EditOutcome::Score);
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{96, 62}, {192, 64}, {288, 63}}));
    EXPECT_EQ(score.selection.notes, (std::vector<CNoteRef>{{288, 63}}));
    EXPECT_EQ(score.selection.timestart, 288);
    EXPECT_EQ(lastLabel(), QStringLiteral("Move Notes"));
    EXPECT_EQ(history->undoItems().back().kind, UndoKind::Track);
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{0, 60}, {96, 62}, {192, 64}}));
}

TEST_F(SelectionEdits, PitchOnlyIsTransposeAndCopyKeepsTheOriginals) {
    select({{96, 62}});
    move(0, -1);
    EXPECT_EQ(lastLabel(), QStringLiteral("Transpose"));
    select({{96, 61}});
    move(384, 0, true);
    EXPECT_EQ(lastLabel(), QStringLiteral("Copy Notes"));
    EXPECT_EQ(notes().size(), 4u);
    EXPECT_EQ(score.selection.notes, (std::vector<CNoteRef>{{480, 61}}));
}

TEST_F(SelectionEdits, OffsetsAreLimitedAndCollisionsRefused) {
    // Ctrl+Left at tick 0 with no pitch change does nothing and records nothing.
    select({{0, 60}});
    EXPECT_EQ(move(-96, 0), EditOutcome::Nothing);
    EXPECT_TRUE(history->undoItems().empty());
    // Onto the unselected D4 it would overlap: refused.
    EXPECT_EQ(move(96, 2), EditOutcome::Nothing);
    EXPECT_TRUE(history->undoItems().empty());
    // The pitch offset keeps the box within 0..127: a top note of 120 moves by 7.
    score.tracks[0].addNote({.time = 288, .duration = 96, .pitch = 120});
    score.rebuildTrack(0);
    select({{192, 64}, {288, 120}});
    move(0, 12);
    EXPECT_EQ(score.selection.notes, (std::vector<CNoteRef>{{192, 71}, {288, 127}}));
    EXPECT_EQ(move(0, 1), EditOutcome::Nothing);  // the top already touches 127
}

TEST_F(SelectionEdits, MovePastTheEndGrowsTheScoreByWholeBars) {
    select({{192, 64}});
    EXPECT_EQ(move(600, 0), EditOutcome::ScoreLengthened);
    EXPECT_EQ(score.length, 384 * 3);
    EXPECT_EQ(history->undoItems().back().kind, UndoKind::Score);
}

TEST_F(SelectionEdits, GraceNotesAndLyricsFollowTheirNotes) {
    CEvent grace;
    grace.type = EventType::GraceNote;
    grace.time = 96;
    grace.data[0] = 61;
    grace.data[2] = 62;
    CEvent lyric;
    lyric.type = EventType::Lyric;
    lyric.time = 96;
    lyric.text = QStringLiteral("la");
    score.tracks[0].addEvent(grace);
    score.tracks[0].addEvent(lyric);
    select({{96, 62}});
    move(384, 1);
    const auto& events = score.track(0).events;
    ASSERT_EQ(events.size(), 2);
    for (const CEvent& e : events) {
        EXPECT_EQ(e.time, 480);
        if (e.type == EventType::GraceNote) EXPECT_EQ(e.data[2], 63);
    }
}

TEST_F(SelectionEdits, SectionMarkersAddRemoveAndRefuse) {
    EditContext ctx{score, *history};
    collapseCursor(score.selection, 500, 60);  // in bar 2, snapped down to its beat 480
    EXPECT_TRUE(toggleSectionMarker(ctx).changed);
    ASSERT_EQ(markers(), 2);  // the start marker came with it
    EXPECT_EQ(score.annotationTrack.events.at(0).time, 0);
    EXPECT_EQ(score.annotationTrack.events.at(1).time, 480);
    EXPECT_EQ(score.annotationTrack.events.at(1).text, QStringLiteral("Section 2"));
    EXPECT_EQ(history->undoItems().back().label, QStringLiteral("Annotation Editing"));
    // The start marker may not go while another exists.
    collapseCursor(score.selection, 0, 60);
    EXPECT_EQ(toggleSectionMarker(ctx).message, StringId::MarkerAtStart);
    EXPECT_EQ(markers(), 2);
    // Moving onto another marker is refused; elsewhere it snaps to a beat.
    EXPECT_EQ(moveSectionMarker(ctx, 1, 10).message, StringId::MarkerAtSamePosition);
    EXPECT_TRUE(moveSectionMarker(ctx, 1, 300).changed);
    EXPECT_EQ(score.annotationTrack.events.at(1).time, 288);
    // Removing the other marker, then the start marker alone, both succeed.
    collapseCursor(score.selection, 288, 60);
    EXPECT_TRUE(toggleSectionMarker(ctx).changed);
    collapseCursor(score.selection, 0, 60);
    EXPECT_TRUE(toggleSectionMarker(ctx).changed);
    EXPECT_EQ(markers(), 0);
}

TEST_F(SelectionEdits, PartSwitchingStopsAtTheEnds) {
    CTrack bass;
    bass.addNote({.time = 0, .duration = 96, .pitch = 40});
    score.addTrack(bass);
    score.assignTrackToPart(1, Part::LeftHand);
    score.rebuildAllTracks();
    collapseCursor(score.selection, 0, 40);
    EXPECT_FALSE(choosePart(score, Part::RightHand2));  // empty
    EXPECT_TRUE(stepPart(score, +1));
    EXPECT_EQ(score.selection.hand, Part::LeftHand);
    EXPECT_EQ(score.selection.notes, (std::vector<CNoteRef>{{0, 40}}));
    EXPECT_FALSE(stepPart(score, +1));  // part 3 is empty
    EXPECT_EQ(score.selection.hand, Part::LeftHand);
    EXPECT_TRUE(stepPart(score, -1));
    EXPECT_EQ(score.selection.hand, Part::RightHand);
    EXPECT_FALSE(stepPart(score, -1));
}

TEST_F(SelectionEdits, GoToBarClampsTheNumber) {
    EXPECT_EQ(clampedBarNumber(0, 2), 1);
    EXPECT_EQ(clampedBarNumber(9, 2), 2);
    goToBarInMusic(score, 2, 96);
    EXPECT_EQ(score.selection.timestart, 384);
    EXPECT_EQ(cursorBarNumber(score), 2);
    score.selection.mode = EditMode::Tuplet;
    goToBarInMusic(score, 5, 768);  // bar start beyond length - step: clamped, note editing
    EXPECT_EQ(score.selection.timestart, 0);
    EXPECT_EQ(score.selection.mode, EditMode::Notes);
}

}  // namespace
