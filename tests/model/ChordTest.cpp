#include <gtest/gtest.h>

#include "ModelTestUtil.h"

#include "model/Score.h"

using namespace ks;
using ks::test::scoreWithTrack;

namespace {

struct Slice {
    int time, duration, count, flags;
};

void expectChords(const CTrack& t, std::initializer_list<Slice> expected) {
    ASSERT_EQ(t.chords.size(), int(expected.size()));
    int i = 0;
    for (const Slice& e : expected) {
        SCOPED_TRACE(i);
        const CChord& c = t.chords.at(i++);
        EXPECT_EQ(c.time, e.time);
        EXPECT_EQ(c.duration, e.duration);
        EXPECT_EQ(c.noteCount, e.count);
        EXPECT_EQ(c.flags, e.flags);
    }
}

}  // namespace

TEST(ChordRebuild, SlicesAtEveryNoteStartAndEndWithRestsBetween) {
    const CScore s = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 60},
                                     {.time = 0, .duration = 96, .pitch = 64},
                                     {.time = 192, .duration = 48, .pitch = 67}},
                                    1);
    const CTrack& t = s.track(0);
    EXPECT_TRUE(t.chordsvalid);
    expectChords(t, {{0, 96, 2, 0},
                     {96, 96, 0, ChordFlag::Rest},
                     {192, 48, 1, 0},
                     {240, 144, 0, ChordFlag::Rest}});
    const CChord& c = t.chords.at(0);
    EXPECT_EQ(c.firstNote, 0);
    EXPECT_EQ(c.pitchLow, 60);
    EXPECT_EQ(c.pitchHigh, 64);
    EXPECT_EQ(c.stemBalance, (68 - 60) + (68 - 64));
    EXPECT_EQ(t.chords.at(1).pitchHigh, 60);
    EXPECT_EQ(t.chords.at(2).firstNote, 2);
}

TEST(ChordRebuild, NoteAcrossTwoBoundariesBecomesThreeTiedNotes) {
    // The long note is cut where the two short notes of another pitch start and end.
    const CScore s = scoreWithTrack(
        {{.time = 0, .duration = 384, .pitch = 72}, {.time = 96, .duration = 96, .pitch = 60}}, 1);
    const CTrack& t = s.track(0);
    ASSERT_EQ(t.notes.size(), 4);
    const int expectFlags[] = {NoteFlag::TieStart, NoteFlag::TieStart | NoteFlag::TieEnd,
                               NoteFlag::TieEnd};
    int piece = 0;
    for (const CNote& n : t.notes) {
        if (n.pitch != 72) continue;
        EXPECT_EQ(n.duration, 96 * (piece == 2 ? 2 : 1));
        EXPECT_EQ(n.flags, expectFlags[piece]) << piece;
        ++piece;
    }
    EXPECT_EQ(piece, 3);
    expectChords(t, {{0, 96, 1, ChordFlag::TieStart},
                     {96, 96, 2, ChordFlag::TieStart | ChordFlag::TieEnd},
                     {192, 192, 1, ChordFlag::TieEnd}});
}

TEST(ChordRebuild, OwnFlagsSurviveAndCollidingPiecesGiveWay) {
    // The note tied onward keeps its tie start on the last piece; its stem flag stays
    // on every piece. A piece meeting an existing note of the same pitch is dropped.
    const CScore s = scoreWithTrack({{.time = 0,
                                      .duration = 192,
                                      .flags = NoteFlag::TieStart | NoteFlag::StemDown,
                                      .pitch = 60},
                                     {.time = 96, .duration = 48, .flags = 0, .pitch = 62},
                                     {.time = 96, .duration = 288, .pitch = 64},
                                     {.time = 144, .duration = 48, .pitch = 64}},
                                    1);
    const CTrack& t = s.track(0);
    const CNote& last60 = t.notes.at(t.notes.find(CNote{.time = 96, .pitch = 60}));
    EXPECT_EQ(last60.flags, NoteFlag::TieStart | NoteFlag::TieEnd | NoteFlag::StemDown);
    EXPECT_EQ(t.chords.at(0).flags & NoteFlag::StemMask, NoteFlag::StemDown);
    // The existing note 64 at 144 stays with its own length; the long note's piece is dropped.
    const CNote& at144 = t.notes.at(t.notes.find(CNote{.time = 144, .pitch = 64}));
    EXPECT_EQ(at144.duration, 48);
    EXPECT_EQ(at144.flags, 0);
}

TEST(ChordRebuild, DropsEmptyNotesAndMarksTupletAndSpellingChords) {
    CScore s;
    CTrack t;
    t.addNote({.time = 0, .duration = 0, .pitch = 50});
    t.addNote({.time = 10, .duration = -4, .pitch = 50});
    t.addNote({.time = 0, .duration = 32, .pitch = 60});
    t.addNote({.time = 32, .duration = 32, .pitch = 62});
    t.addNote({.time = 64, .duration = 32, .pitch = 64});
    CEvent tuplet;
    tuplet.type = EventType::Tuplet;
    tuplet.data[0] = 3;
    tuplet.data[1] = 96;
    t.addEvent(tuplet);
    CEvent spelling;
    spelling.type = EventType::SpellingRange;
    spelling.time = 64;
    spelling.data[0] = 200;
    t.addEvent(spelling);
    s.addTrack(t);
    s.setLength(384);
    s.rebuildTrack(0);
    const CTrack& r = s.track(0);
    EXPECT_EQ(r.notes.size(), 3);
    expectChords(r, {{0, 32, 1, ChordFlag::Tuplet},
                     {32, 32, 1, ChordFlag::Tuplet},
                     {64, 32, 1, ChordFlag::Tuplet | ChordFlag::Spelling},
                     {96, 288, 0, ChordFlag::Rest | ChordFlag::Spelling}});
}

TEST(ChordRebuild, NotesBeyondTheScoreEndAreCutThere) {
    CScore s = scoreWithTrack({{.time = 288, .duration = 192, .pitch = 60}}, 1);
    const CTrack& t = s.track(0);
    ASSERT_EQ(t.chords.size(), 2);
    EXPECT_EQ(t.chords.at(1).time, 288);
    EXPECT_EQ(t.chords.at(1).duration, 96);
    // Lengthening the score brings the rest of the tied note into a chord of its own.
    s.setLength(768);
    const CTrack& t2 = s.track(0);
    EXPECT_EQ(t2.chords.at(2).time, 384);
    EXPECT_EQ(t2.chords.at(2).noteCount, 1);
    EXPECT_EQ(t2.chords.at(2).flags, ChordFlag::TieEnd);
}

TEST(ChordRebuild, WindowLeavesChordsOutsideItAlone) {
    CScore s = scoreWithTrack(
        {{.time = 0, .duration = 96, .pitch = 60}, {.time = 384, .duration = 96, .pitch = 62}});
    CTrack& t = s.tracks[0];
    const CChord before = t.chords.at(0);
    t.addNote({.time = 400, .duration = 400, .pitch = 70});
    t.rebuildChords(s.length, 384, 768);
    EXPECT_EQ(t.chords.at(0), before);
    EXPECT_EQ(t.chords.at(t.chords.size() - 1).time + t.chords.at(t.chords.size() - 1).duration,
              768);
    for (int i = 0; i + 1 < t.chords.size(); ++i)
        EXPECT_EQ(t.chords.at(i).end(), t.chords.at(i + 1).time) << i;
    for (const CChord& c : t.chords)
        for (int k = 0; k < c.noteCount; ++k) {
            const CNote& n = t.notes.at(c.firstNote + k);
            EXPECT_EQ(n.time, c.time);
            EXPECT_LE(n.duration, c.duration);
        }
}

TEST(Beams, EighthsPairWithinBeatsAndBreakAtRestsAndBars) {
    // Bar 0: two eighths (beat 1), quarter, eighth + eighth rest, eighth + eighth.
    // Bar 1: a sixteenth run of four in beat 1.
    CScore s = scoreWithTrack({{.time = 0, .duration = 48, .pitch = 60},
                               {.time = 48, .duration = 48, .pitch = 62},
                               {.time = 96, .duration = 96, .pitch = 64},
                               {.time = 192, .duration = 48, .pitch = 65},
                               {.time = 288, .duration = 48, .pitch = 67},
                               {.time = 336, .duration = 48, .pitch = 69},
                               {.time = 384, .duration = 24, .pitch = 60},
                               {.time = 408, .duration = 24, .pitch = 62},
                               {.time = 432, .duration = 24, .pitch = 64},
                               {.time = 456, .duration = 24, .pitch = 65}});
    const CTrack& t = s.track(0);
    ASSERT_EQ(t.beams.size(), 3u);
    EXPECT_EQ(t.beams[0].firstChord, 0);
    EXPECT_EQ(t.beams[0].chordCount, 2);
    EXPECT_EQ(t.chords.at(2).beam, -1);  // quarter
    EXPECT_EQ(t.chords.at(3).beam, -1);  // eighth before a rest
    EXPECT_EQ(t.beams[1].chordCount, 2);
    EXPECT_EQ(t.chords.at(t.beams[1].firstChord).time, 288);
    EXPECT_EQ(t.beams[2].chordCount, 4);
    EXPECT_EQ(t.beams[2].bar, 1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(t.chords.at(t.beams[2].firstChord + k).beam, 2);
}

TEST(Beams, CompoundTimeBeamsTheDottedBeatAndNeverCrossesIt) {
    CScore s;
    CTrack t;
    for (int i = 0; i < 6; ++i)
        t.addNote({.time = i * 48, .duration = 48, .pitch = 60 + i});
    // An eighth that straddles the beat boundary of the next bar stays alone.
    t.addNote({.time = 288, .duration = 96, .pitch = 60});
    t.addNote({.time = 384, .duration = 48, .pitch = 60});
    s.addTrack(t);
    s.setTimeSignature(6, 8, 0);
    s.setLength(576);
    s.assignTrackToPart(0, Part::RightHand);
    const CTrack& r = s.track(0);
    ASSERT_EQ(r.beams.size(), 2u);
    EXPECT_EQ(r.beams[0].chordCount, 3);
    EXPECT_EQ(r.beams[1].firstChord, 3);
    EXPECT_EQ(r.beams[1].chordCount, 3);
}
