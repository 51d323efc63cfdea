#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "model/PerformanceWalk.h"
#include "model/PlayBackMap.h"
#include "model/Score.h"
#include "model/TieChain.h"

using namespace ks;
using testing::ElementsAre;

namespace {

// A score of eight 4/4 bars at ppqn 96 with `tracks` empty tracks in parts 0, 1, ...
CScore emptyScore(int tracks = 1) {
    CScore s;
    s.setLength(8 * 384);
    for (int t = 0; t < tracks; ++t) {
        s.addTrack(CTrack{});
        s.tracks.back().length = s.length;
        s.parts[static_cast<size_t>(t)] = t + 1;
    }
    return s;
}

void addNote(CScore& s, int track, int time, int duration, int pitch, int velocity = 100,
             int flags = 0) {
    s.tracks[static_cast<size_t>(track)].notes.Add(
        {.time = time, .duration = duration, .flags = flags, .pitch = pitch, .velocity = velocity});
}

void addMarks(CScore& s, int track, int time, int marks) {
    CEvent e;
    e.time = time;
    e.type = EventType::NoteMarks;
    e.data[0] = marks;
    s.tracks[static_cast<size_t>(track)].addEvent(e);
}

void addGrace(CScore& s, int track, int time, int pitch, int length) {
    CEvent e;
    e.time = time;
    e.type = EventType::GraceNote;
    e.data[0] = pitch;
    e.data[1] = length;
    s.tracks[static_cast<size_t>(track)].addEvent(e);
}

// "<time> on <pitch> <velocity>" or "<time> off <pitch>", one line per event.
std::string describe(const CPlayBackEvent& e) {
    return std::to_string(e.time) + (e.noteOff ? " off " : " on ") + std::to_string(e.pitch) +
           (e.noteOff ? "" : " " + std::to_string(e.velocity));
}

std::vector<std::string> walk(const CScore& s, PerformanceOptions options = {},
                              std::vector<int> tracks = {}) {
    if (tracks.empty())
        for (int t = 0; t < s.trackCount(); ++t)
            tracks.push_back(t);
    if (options.endTime == std::numeric_limits<int32_t>::max()) options.endTime = s.length;
    PerformanceWalk w(s, tracks, options);
    std::vector<std::string> out;
    CPlayBackEvent e;
    while (w.next(e))
        out.push_back(describe(e));
    return out;
}

}  // namespace

TEST(PerformanceWalk, HeldNotesAreReleasedAfterFifteenSixteenths) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 96, 60);
    addNote(s, 0, 96, 8, 62, 90);  // too short to cut: 8 >> 4 is 0
    EXPECT_THAT(walk(s), ElementsAre("0 on 60 100", "90 off 60", "96 on 62 90", "104 off 62"));
}

TEST(PerformanceWalk, TieChainSoundsOnceForItsWholeLength) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 96, 60, 100, NoteFlag::TieStart);
    addNote(s, 0, 96, 96, 60, 100, NoteFlag::TieStart | NoteFlag::TieEnd);
    addNote(s, 0, 96, 96, 64);  // another pitch in between does not break the chain
    addNote(s, 0, 192, 96, 60, 100, NoteFlag::TieEnd);
    EXPECT_THAT(walk(s), ElementsAre("0 on 60 100", "96 on 64 100", "186 off 64", "270 off 60"));
    EXPECT_EQ(tieChainEnd(s.tracks[0], 0), 288);
    EXPECT_EQ(tieChainEnd(s.tracks[0], 1), 288);  // from the middle of the chain
}

TEST(PerformanceWalk, ArticulationsAndCompression) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 96, 60, 100);
    addMarks(s, 0, 0, NoteMark::Staccato);  // sounds 24 - (24 >> 4) = 23 ticks
    addNote(s, 0, 96, 96, 62, 40);
    addMarks(s, 0, 96, NoteMark::Accent | NoteMark::Finger1);
    addNote(s, 0, 192, 96, 64, 40);
    addMarks(s, 0, 192, NoteMark::Finger1 * 4);  // fingering makes no sound
    EXPECT_THAT(walk(s), ElementsAre("0 on 60 100", "23 off 60", "96 on 62 127", "186 off 62",
                                     "192 on 64 40", "282 off 64"));

    // 50 % compression towards 100: 40 + ((60 * 63) >> 7) = 69; 127 - 14 = 113.
    PerformanceOptions o;
    o.playVelocity = 100;
    o.compression = compressionFactor(50);
    EXPECT_EQ(o.compression, 63);
    EXPECT_THAT(walk(s, o), ElementsAre("0 on 60 100", "23 off 60", "96 on 62 113", "186 off 62",
                                        "192 on 64 69", "282 off 64"));
}

TEST(PerformanceWalk, VelocityCompressionTable) {
    struct Case {
        int v, play, compression, expected;
    };
    for (const Case c : {Case{40, 100, 63, 69}, Case{40, 100, 0, 40}, Case{127, 0, 127, 1},
                         Case{0, 100, 0, 1}, Case{200, 100, -5, 127}, Case{100, 20, 127, 20}}) {
        EXPECT_EQ(compressVelocity(c.v, c.play, c.compression), c.expected)
            << c.v << " " << c.play << " " << c.compression;
    }
}

TEST(PerformanceWalk, GraceNoteSoundsBeforeItsNoteAndTracksKeepPartOrder) {
    CScore s = emptyScore(2);
    addNote(s, 0, 96, 96, 72);
    addNote(s, 1, 96, 96, 48);
    addGrace(s, 1, 96, 50, 24);  // sounds 24 ticks early, at velocity 70
    addNote(s, 1, 0, 48, 52);
    EXPECT_THAT(walk(s), ElementsAre("0 on 52 100", "45 off 52", "72 on 50 70", "95 off 50",
                                     "96 on 72 100", "96 on 48 100", "186 off 72", "186 off 48"));
    // Listed the other way round, track 1 plays first at equal times.
    EXPECT_THAT(walk(s, {}, {1, 0}),
                ElementsAre("0 on 52 100", "45 off 52", "72 on 50 70", "95 off 50", "96 on 48 100",
                            "96 on 72 100", "186 off 48", "186 off 72"));
}

TEST(PerformanceWalk, TrillAlternatesWithTheNoteAboveWhileTheNoteSounds) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 48, 60, 80, NoteFlag::Trill);  // step 96 >> 3 = 12: 12, 24, 36
    EXPECT_THAT(walk(s), ElementsAre("0 on 60 80", "12 on 62 80", "24 off 62", "24 on 60 80",
                                     "36 off 60", "36 on 62 80", "45 off 60", "48 off 62"));
}

TEST(PerformanceWalk, ReleasesComeInTimeOrderAcrossTracks) {
    // A half note and a shorter note that starts later but ends earlier.
    CScore s = emptyScore(2);
    addNote(s, 0, 0, 192, 60);
    addNote(s, 1, 96, 48, 48);
    addNote(s, 0, 384, 96, 62);
    EXPECT_THAT(walk(s), ElementsAre("0 on 60 100", "96 on 48 100", "141 off 48", "180 off 60",
                                     "384 on 62 100", "474 off 62"));
}

TEST(PerformanceWalk, RepeatedShortNoteIsReleasedBeforeItIsStruckAgain) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 8, 60);
    addNote(s, 0, 8, 8, 60);
    addNote(s, 0, 16, 0, 61);  // a note of no length is struck, then released
    EXPECT_THAT(walk(s), ElementsAre("0 on 60 100", "8 off 60", "8 on 60 100", "16 off 60",
                                     "16 on 61 100", "16 off 61"));
}

TEST(PerformanceWalk, StartingInTheMiddleSilencesEarlierNotes) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 384, 60);  // still sounding at the start: stays silent
    addNote(s, 0, 96, 96, 62);
    addNote(s, 0, 192, 96, 64);
    addGrace(s, 0, 192, 66, 24);  // sounds at 168, before the start
    PerformanceOptions o;
    o.startTime = 180;
    EXPECT_THAT(walk(s, o), ElementsAre("192 on 64 100", "282 off 64"));
}

TEST(PerformanceWalk, RepeatsAreUnrolled) {
    CScore s = emptyScore();
    s.setLength(2 * 384);
    s.bars[0].styleRight = 3;
    addNote(s, 0, 0, 96, 60);
    addNote(s, 0, 384, 96, 62);
    CPlayBackMap map;
    map.Rebuild(s);
    PerformanceOptions o;
    o.map = &map;
    EXPECT_THAT(walk(s, o), ElementsAre("0 on 60 100", "90 off 60", "384 on 60 100", "474 off 60",
                                        "768 on 62 100", "858 off 62"));

    // A single repeated bar, started in its second pass: the first pass is silent and
    // leaves nothing sounding, yet the second pass plays.
    s.setLength(384);
    s.tracks[0].notes.removeAt(1);
    map.Rebuild(s);
    o.startTime = 200;
    EXPECT_THAT(walk(s, o), ElementsAre("384 on 60 100", "474 off 60"));
}

TEST(PerformanceWalk, NotesAtOrAfterTheEndNeverPlay) {
    CScore s = emptyScore();
    addNote(s, 0, 8 * 384 - 96, 192, 60);  // runs past the end: released at its own end
    addNote(s, 0, 8 * 384, 96, 62);
    EXPECT_THAT(walk(s), ElementsAre("2976 on 60 100", "3156 off 60"));
}

TEST(PerformanceWalk, ExportOptionsGiveWrittenNotesWithTheirTieChains) {
    CScore s = emptyScore();
    addNote(s, 0, 0, 96, 60, 90, NoteFlag::TieStart | NoteFlag::Trill);
    addNote(s, 0, 96, 96, 60, 90, NoteFlag::TieEnd);
    addMarks(s, 0, 0, NoteMark::Staccato | NoteMark::Accent);
    addGrace(s, 0, 0, 58, 12);
    s.bars[0].styleRight = 3;
    PerformanceOptions o;
    o.articulations = o.graceNotes = o.trills = o.releaseCut = false;
    PerformanceWalk w(s, {0}, o);
    CPlayBackEvent e;
    ASSERT_TRUE(w.next(e));
    EXPECT_EQ(e, (CPlayBackEvent{.time = 0,
                                 .scoreTime = 0,
                                 .trackIndex = 0,
                                 .pitch = 60,
                                 .duration = 96,
                                 .velocity = 90,
                                 .noteOff = false,
                                 .length = 192}));
    ASSERT_TRUE(w.next(e));
    EXPECT_TRUE(e.noteOff);
    EXPECT_EQ(e.time, 192);
    EXPECT_FALSE(w.next(e));
}

TEST(PerformanceWalk, HugeTrillIsGeneratedAsItIsPlayed) {
    CScore s = emptyScore();
    s.ppqn = 1;  // step 1 tick
    s.setLength(400000);
    addNote(s, 0, 0, std::numeric_limits<int32_t>::max() / 4, 60, 100, NoteFlag::Trill);
    PerformanceOptions o;
    o.endTime = s.length;
    PerformanceWalk w(s, {0}, o);
    CPlayBackEvent e;
    int count = 0;
    int32_t last = -1;
    while (count < 100000 && w.next(e)) {
        EXPECT_GE(e.time, last);
        last = e.time;
        ++count;
    }
    EXPECT_EQ(count, 100000);
}
