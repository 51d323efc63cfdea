#include <gtest/gtest.h>

#include "ModelTestUtil.h"

#include "model/NoteOperations.h"
#include "model/TieChain.h"
#include "model/TrackOperations.h"

using namespace ks;
using ks::test::scoreWithTrack;

namespace {

// Three tracks: A in the right hand, B in the left hand, C not shown.
CScore threeTracks() {
    CScore s = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 72}}, 2);
    CTrack b, c;
    b.title = QStringLiteral("B");
    b.addNote({.time = 0, .duration = 96, .pitch = 48});
    b.addNote({.time = 96, .duration = 96, .pitch = 50});
    c.title = QStringLiteral("C");
    s.tracks[0].title = QStringLiteral("A");
    s.addTrack(b);
    s.addTrack(c);
    s.rebuildAllTracks();
    s.assignTrackToPart(1, Part::LeftHand);
    return s;
}

}  // namespace

TEST(Transpose, ClampsToTheKeyboardAndLeavesOtherTracks) {
    struct Case {
        int track, amount, expectA, expectB;
        bool changed;
    };
    for (const Case& c : {Case{0, 12, 84, 48, true}, Case{-1, -12, 60, 36, true},
                          Case{0, 0, 72, 48, false}, Case{1, -60, 72, 0, true}}) {
        SCOPED_TRACE(c.amount);
        CScore s = threeTracks();
        EXPECT_EQ(transposeTracks(s, c.track, c.amount), c.changed);
        EXPECT_EQ(s.track(0).notes.at(0).pitch, c.expectA);
        EXPECT_EQ(s.track(1).notes.at(0).pitch, c.expectB);
    }
    CScore high = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 120}});
    EXPECT_TRUE(transposeTracks(high, 0, 12));
    EXPECT_EQ(high.track(0).notes.at(0).pitch, 127);
    EXPECT_FALSE(transposeTracks(high, 0, 1));  // nothing can move further
}

TEST(TrackManagement, AddShowsTheNewTrackAndMakesItsPartCurrent) {
    CScore s = threeTracks();
    const int added = addNewTrack(s, QStringLiteral("Новая дорожка 新"), Part::RightHand2);
    EXPECT_EQ(added, 3);
    EXPECT_EQ(s.track(3).title, QStringLiteral("Новая дорожка 新"));
    EXPECT_EQ(s.track(3).length, s.length);
    EXPECT_EQ(s.trackOfPart(Part::RightHand2), 3);
    EXPECT_EQ(s.selection.hand, Part::RightHand2);
    EXPECT_EQ(addNewTrack(s, QString(), kNoDestination), 4);
    EXPECT_EQ(s.partOfTrack(4), -1);
    EXPECT_EQ(s.selection.hand, Part::RightHand2);
}

TEST(TrackManagement, DeleteRenumbersThePartsAndMovesTheCurrentPart) {
    CScore s = threeTracks();
    s.assignTrackToPart(2, Part::LeftHand2);
    s.selection.hand = Part::RightHand;
    ASSERT_TRUE(deleteTrack(s, 0));
    EXPECT_EQ(s.trackCount(), 2);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 1, 2}));
    EXPECT_EQ(s.selection.hand, Part::LeftHand);
    EXPECT_FALSE(deleteTrack(s, 2));
    EXPECT_TRUE(deleteTrack(s, 1));
    EXPECT_TRUE(deleteTrack(s, 0));
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(s.selection.hand, Part::LeftHand);  // no part has a track: it stays
}

TEST(TrackManagement, MergeJoinsBothTracksAndTakesOverTheirParts) {
    CScore s = threeTracks();
    s.tracks[1].addNote({.time = 0, .duration = 96, .pitch = 72});  // same as A's note
    s.rebuildTrack(1);
    CEvent lyric;
    lyric.type = EventType::Lyric;
    lyric.text = QStringLiteral("la");
    s.tracks[1].addEvent(lyric);
    EXPECT_EQ(mergeTracks(s, 0, 0, Part::RightHand, QStringLiteral("M")), -1);
    EXPECT_EQ(mergeTracks(s, 0, 7, Part::RightHand, QStringLiteral("M")), -1);
    const int merged = mergeTracks(s, 0, 1, Part::LeftHand2, QStringLiteral("Merged Track"));
    ASSERT_EQ(merged, 3);
    EXPECT_EQ(s.track(3).notes.size(), 3);  // 72 once, 48, 50
    EXPECT_EQ(s.track(3).events.size(), 1);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 0, 4}));
    EXPECT_EQ(s.selection.hand, Part::LeftHand2);
    EXPECT_EQ(s.trackCount(), 4);  // the sources stay
    // Without a destination nothing changes in the parts.
    CScore t = threeTracks();
    EXPECT_EQ(mergeTracks(t, 1, 2, kNoDestination, QStringLiteral("M")), 3);
    EXPECT_EQ(t.parts, (std::array<int32_t, 4>{1, 0, 2, 0}));
}

TEST(TrackManagement, AllocateMovesATrackBetweenPartsWithoutDuplicates) {
    CScore s = threeTracks();
    allocateTrack(s, 1, Part::RightHand);  // replaces A, leaves the left hand
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{2, 0, 0, 0}));
    allocateTrack(s, 2, Part::LeftHand);
    allocateTrack(s, 9, Part::RightHand2);  // an invalid highlight empties the part
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{2, 0, 3, 0}));
    s.selection.hand = Part::RightHand;
    allocateTrack(s, 1, kNoDestination);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 3, 0}));
    EXPECT_EQ(s.selection.hand, Part::LeftHand);
    EXPECT_TRUE(renameTrack(s, 2, QStringLiteral("Left")));
    EXPECT_FALSE(renameTrack(s, 2, QStringLiteral("Left")));
    EXPECT_FALSE(renameTrack(s, 5, QStringLiteral("x")));
}

TEST(AutoNoteLength, GrowsToTheNextNoteOrTheBarEndAndSkipsNotesAlreadyThere) {
    CScore s = scoreWithTrack({{.time = 0, .duration = 48, .pitch = 60},
                               {.time = 0, .duration = 96, .pitch = 64},
                               {.time = 192, .duration = 48, .pitch = 62},  // up to bar end
                               {.time = 384, .duration = 96, .pitch = 65}},
                              2);
    // Notes: 0:(0,60) 1:(0,64) 2:(48,64 tied) 3:(192,62) 4:(384,65).
    ASSERT_TRUE(autoNoteLength(s, 0, {0, 3}));
    const CTrack& t = s.track(0);
    EXPECT_EQ(tieChainEnd(t, 0), 192);
    EXPECT_EQ(tieChainEnd(t, t.notes.find({.time = 192, .pitch = 62})), 384);
    EXPECT_FALSE(autoNoteLength(s, 0, {0}));  // already reaches the next note
    EXPECT_FALSE(autoNoteLength(s, 3, {0}));
}

TEST(Phrases, MakeNeedsASpanAndRemoveTakesBothEnds) {
    CScore s = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 60},
                               {.time = 8, .duration = 96, .pitch = 62},
                               {.time = 192, .duration = 96, .pitch = 67}});
    EXPECT_FALSE(makePhrase(s, 0, {0, 1}));  // 8 ticks: no more than ppqn / 8
    ASSERT_TRUE(makePhrase(s, 0, {0, 4}));
    const CTrack& t = s.track(0);
    ASSERT_EQ(t.events.size(), 2);
    EXPECT_EQ(t.events.at(0).data[0], 0);
    EXPECT_EQ(t.events.at(0).key(), 60);
    EXPECT_EQ(t.events.at(1).time, 192);
    EXPECT_EQ(t.events.at(1).data[0], 1);
    EXPECT_EQ(phraseStartingAt(t, 0), 0);
    EXPECT_EQ(phraseStartingAt(t, 192), -1);
    EXPECT_FALSE(removePhrase(s, 0, 192));
    EXPECT_TRUE(removePhrase(s, 0, 0));
    EXPECT_EQ(t.events.size(), 0);
}

TEST(FlipStems, ForcesTheMinorityDirectionAndClearsTheOther) {
    // High notes point down when automatic, low ones up.
    CScore s = scoreWithTrack({{.time = 0, .duration = 96, .flags = NoteFlag::StemUp, .pitch = 80},
                               {.time = 96, .duration = 96, .pitch = 84},
                               {.time = 192, .duration = 96, .pitch = 86}});
    // One chord forced up, two down by balance: fewer down than up is false -> up.
    ASSERT_TRUE(flipStems(s, 0, {0, 1, 2}));
    for (const CNote& n : s.track(0).notes)
        EXPECT_EQ(n.flags & NoteFlag::StemMask, NoteFlag::StemUp);
    ASSERT_TRUE(flipStems(s, 0, {0, 1, 2}));  // all up now: they go down
    for (const CNote& n : s.track(0).notes)
        EXPECT_EQ(n.flags & NoteFlag::StemMask, NoteFlag::StemDown);
    EXPECT_EQ(s.track(0).chords.at(0).flags & ChordFlag::StemDown, ChordFlag::StemDown);
    EXPECT_FALSE(flipStems(s, 0, {}));
}
