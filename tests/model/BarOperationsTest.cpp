#include <gtest/gtest.h>

#include "ModelTestUtil.h"

#include "model/BarOperations.h"

using namespace ks;
using ks::test::scoreWithTrack;

namespace {

struct N {
    int time, duration, pitch, flags;
    bool operator==(const N&) const = default;
};

std::vector<N> notesOf(const CTrack& t) {
    std::vector<N> out;
    for (const CNote& n : t.notes)
        out.push_back({n.time, n.duration, n.pitch, n.flags & NoteFlag::TieMask});
    return out;
}

std::ostream& operator<<(std::ostream& os, const N& n) {
    return os << "{" << n.time << "," << n.duration << "," << n.pitch << "," << n.flags << "}";
}

CEvent phraseEnd(int data0, int firstTime, int lastTime) {
    CEvent e;
    e.type = EventType::Phrase;
    e.time = data0 == 0 ? firstTime : lastTime;
    e.data[0] = data0;
    e.data[1] = 60;
    e.data[2] = 62;
    e.data[3] = firstTime;
    e.data[4] = lastTime;
    return e;
}

}  // namespace

TEST(InsertBar, AMinimAcrossTheBarLineEndsUpEitherSideOfTheNewEmptyBar) {
    CScore s = scoreWithTrack(
        {{.time = 288, .duration = 192, .pitch = 60}, {.time = 480, .duration = 96, .pitch = 64}},
        3);
    ASSERT_TRUE(insertBar(s, 1));
    EXPECT_EQ(s.length, 384 * 4);
    EXPECT_EQ(s.bars.size(), 4u);
    // The first piece keeps the beat before the bar line, the rest follows the new bar;
    // nothing is tied across the empty bar.
    EXPECT_EQ(notesOf(s.track(0)),
              (std::vector<N>{{288, 96, 60, 0}, {768, 96, 60, 0}, {864, 96, 64, 0}}));
    for (int c = 0; c < s.track(0).chords.size(); ++c) {
        const CChord& chord = s.track(0).chords.at(c);
        if (chord.time >= 384 && chord.time < 768) EXPECT_TRUE(chord.isRest());
    }
}

TEST(InsertBar, SignaturesVoltasAndMarksFollowTheirBars) {
    CScore s = scoreWithTrack(
        {{.time = 400, .duration = 96, .pitch = 60}, {.time = 800, .duration = 96, .pitch = 62}},
        4);
    s.setKeySignature(9, 1);
    s.setKeySignature(10, 2);
    s.setTimeSignature(3, 4, 2);
    s.voltamarks = {{.type = VoltaType::Closed, .startbar = 1, .endbar = 1},
                    {.type = VoltaType::Open, .startbar = 1, .endbar = 2}};
    s.tracks[0].addEvent(phraseEnd(0, 100, 800));
    s.tracks[0].addEvent(phraseEnd(1, 100, 800));
    CEvent note;
    note.type = EventType::Annotation;
    note.time = 500;
    s.annotationTrack.addEvent(note);
    ASSERT_TRUE(insertBar(s, 1));

    EXPECT_EQ(s.keysigs[0].bar, 1);  // at the insertion bar: stays
    EXPECT_EQ(s.keysigs[1].bar, 3);
    ASSERT_EQ(s.timesigs.size(), 2u);
    EXPECT_EQ(s.timesigs[1].bar, 3);
    EXPECT_EQ(s.timesigs[1].time, 3 * 384);
    EXPECT_EQ(s.voltamarks[0].startbar, 2);  // closed: bars from the insertion point move
    EXPECT_EQ(s.voltamarks[1].startbar, 1);  // open: only bars after it
    EXPECT_EQ(s.voltamarks[1].endbar, 3);
    // The phrase's start before the bar stays; both ends keep the pair's fields.
    ASSERT_EQ(s.track(0).events.size(), 2);
    EXPECT_EQ(s.track(0).events.at(0).time, 100);
    EXPECT_EQ(s.track(0).events.at(0).data[4], 1184);
    EXPECT_EQ(s.track(0).events.at(1).time, 1184);
    EXPECT_EQ(s.annotationTrack.events.at(0).time, 884);
    EXPECT_EQ(s.tempoTrack.events.at(0).time, 0);
}

TEST(InsertBar, RefusesPositionsOutsideTheScore) {
    CScore s = scoreWithTrack({}, 2);
    EXPECT_FALSE(insertBar(s, -1));
    EXPECT_FALSE(insertBar(s, 3));
    EXPECT_TRUE(insertBar(s, 2));  // appending
    EXPECT_EQ(s.barCount(), 3);
    CScore empty;
    EXPECT_TRUE(insertBar(empty, 0));  // a score without bars grows its first
    EXPECT_EQ(empty.length, 384);
}

TEST(DeleteBar, RemovesItsMusicCutsNotesIntoItAndMovesTheRestEarlier) {
    CScore s = scoreWithTrack({{.time = 288, .duration = 192, .pitch = 60},  // into bar 1
                               {.time = 400, .duration = 96, .pitch = 64},   // inside bar 1
                               {.time = 700, .duration = 200, .pitch = 67},  // across into 2
                               {.time = 800, .duration = 96, .pitch = 69}},
                              3);
    s.selection.timestart = 900;
    s.selection.timeend = 901;
    ASSERT_TRUE(deleteBars(s, 1));
    EXPECT_EQ(s.length, 768);
    // The note from bar 1 into bar 2 lost its piece in bar 1; what stays continues no tie
    // from it, but its own later pieces stay tied together.
    EXPECT_EQ(notesOf(s.track(0)), (std::vector<N>{{288, 96, 60, 0},
                                                   {416, 96, 67, NoteFlag::TieStart},
                                                   {416, 96, 69, 0},
                                                   {512, 4, 67, NoteFlag::TieEnd}}));
    EXPECT_EQ(s.selection.timestart, 516);
    EXPECT_EQ(s.selection.timeend, 517);
}

TEST(DeleteBar, KeySignatureInTheBarGoesAndTheNextTimeChangeMovesEarlier) {
    CScore s = scoreWithTrack({}, 5);
    s.setKeySignature(9, 1);
    s.setKeySignature(10, 3);
    s.setTimeSignature(3, 4, 2);
    s.selection.timestart = 500;  // inside the deleted bar: goes to its start
    s.selection.timeend = 520;
    ASSERT_TRUE(deleteBars(s, 1));
    ASSERT_EQ(s.keysigs.size(), 1u);
    EXPECT_EQ(s.keysigs[0].key, 10);
    EXPECT_EQ(s.keysigs[0].bar, 2);
    ASSERT_EQ(s.timesigs.size(), 2u);
    EXPECT_EQ(s.timesigs[1].bar, 1);
    EXPECT_EQ(s.selection.timestart, 384);
    EXPECT_EQ(s.selection.timeend, 404);
    // 4/4 + three bars of 3/4 remain.
    EXPECT_EQ(s.length, 384 + 4 * 288);
}

TEST(DeleteBar, TheFirstBarGivesWayToTheSignatureOfTheNext) {
    CScore s = scoreWithTrack({{.time = 400, .duration = 96, .pitch = 60}}, 3);
    s.setTimeSignature(3, 4, 1);
    s.voltamarks = {{.startbar = 0, .endbar = 0}, {.startbar = 1, .endbar = 2}};
    ASSERT_TRUE(deleteBars(s, 0));
    ASSERT_EQ(s.timesigs.size(), 1u);
    EXPECT_EQ(s.timesigs[0].nom, 3);
    EXPECT_EQ(s.timesigs[0].bar, 0);
    EXPECT_EQ(s.track(0).notes.at(0).time, 16);
    // A volta on the deleted bar alone goes; the next one follows its bars.
    ASSERT_EQ(s.voltamarks.size(), 1u);
    EXPECT_EQ(s.voltamarks[0].startbar, 0);
    EXPECT_EQ(s.voltamarks[0].endbar, 1);
}

TEST(DeleteBar, APhraseLosingOneEndGoesAndOnePastTheBarMovesWhole) {
    CScore s = scoreWithTrack({}, 4);
    for (int end : {0, 1}) {
        s.tracks[0].addEvent(phraseEnd(end, 100, 500));  // ends inside bar 1
        s.tracks[0].addEvent(phraseEnd(end, 800, 1000));
    }
    ASSERT_TRUE(deleteBars(s, 1));
    ASSERT_EQ(s.track(0).events.size(), 2);
    for (const CEvent& e : s.track(0).events) {
        EXPECT_EQ(e.data[3], 416);
        EXPECT_EQ(e.data[4], 616);
    }
}

TEST(DeleteBar, RefusesWhatIsNotThere) {
    CScore empty;
    EXPECT_FALSE(deleteBars(empty, 0));
    CScore s = scoreWithTrack({}, 2);
    EXPECT_FALSE(deleteBars(s, 2));
    EXPECT_FALSE(deleteBars(s, -1));
    EXPECT_TRUE(deleteBars(s, 1));
    EXPECT_TRUE(deleteBars(s, 0));  // the last bar
    EXPECT_EQ(s.length, 0);
    EXPECT_EQ(s.track(0).notes.size(), 0);
}

TEST(Crop, ToBarsKeepsTheRangeAndToNotesOnlyTheChosenNotes) {
    const std::initializer_list<CNote> notes = {{.time = 10, .duration = 96, .pitch = 60},
                                                {.time = 400, .duration = 96, .pitch = 62},
                                                {.time = 400, .duration = 96, .pitch = 65},
                                                {.time = 800, .duration = 96, .pitch = 64},
                                                {.time = 1200, .duration = 96, .pitch = 67}};
    CScore bars = scoreWithTrack(notes, 4);
    ASSERT_TRUE(cropToBars(bars, 1, 2));
    EXPECT_EQ(bars.length, 768);
    EXPECT_EQ(notesOf(bars.track(0)),
              (std::vector<N>{{16, 96, 62, 0}, {16, 96, 65, 0}, {416, 96, 64, 0}}));

    CScore chosen = scoreWithTrack(notes, 4);
    CTrack other;
    other.addNote({.time = 420, .duration = 50, .pitch = 40});
    chosen.addTrack(other);
    chosen.selection.timestart = 400;
    chosen.selection.timeend = 500;
    ASSERT_TRUE(cropToNotes(chosen, 1, 2, 0, {2, 3}));  // 65 at 400, 64 at 800
    EXPECT_EQ(notesOf(chosen.track(0)), (std::vector<N>{{16, 96, 65, 0}, {416, 96, 64, 0}}));
    EXPECT_EQ(chosen.track(1).notes.size(), 0);
    EXPECT_EQ(chosen.selection.timestart, 0);
    EXPECT_EQ(chosen.selection.timeend, 100);

    EXPECT_FALSE(cropToBars(bars, 3, 2));  // a crop that would leave nothing
    EXPECT_FALSE(cropToNotes(bars, 0, 1, 0, {}));
}

TEST(NotesInBox, TakesFirstPiecesInThePitchRangeThatSoundInTheBox) {
    const CScore s = scoreWithTrack({{.time = 0, .duration = 500, .pitch = 60},  // tied across
                                     {.time = 96, .duration = 96, .pitch = 72},
                                     {.time = 96, .duration = 96, .pitch = 50}},
                                    2);
    EXPECT_EQ(notesInBox(s.track(0), 0, 200, 55, 80), (std::vector<int>{0, 3}));
    // The pieces the rebuild split the long note into come with it.
    const std::vector<int> chain = withTiedPieces(s.track(0), {0});
    EXPECT_EQ(chain, (std::vector<int>{0, 2, 4}));
}
