#include <gtest/gtest.h>

#include "interchange/MidiExport.h"
#include "interchange/MidiImport.h"

using namespace ks;

namespace {

struct Sounding {
    int32_t time, length;
    int key, velocity;
    bool operator==(const Sounding&) const = default;
};

// The notes of a MIDI track: note-ons paired with their note-offs.
std::vector<Sounding> notesOf(const CMidiTrack& t) {
    std::vector<Sounding> out;
    for (const CMidiEvent& on : t.events) {
        if ((on.status & 0xF0) != 0x90 || on.data[1] == 0) continue;
        for (const CMidiEvent& off : t.events)
            if ((off.status & 0xF0) == 0x80 && off.data[0] == on.data[0] && off.time > on.time) {
                out.push_back({on.time, off.time - on.time, on.data[0], on.data[1]});
                break;
            }
    }
    return out;
}

CScore twoHands() {
    CScore s;
    CTrack right, left, unused;
    right.title = QStringLiteral("Melody");
    right.addNote({.time = 0, .duration = 384, .pitch = 72, .velocity = 90});  // split by the bass
    right.addNote({.time = 384, .duration = 96, .pitch = 74});
    left.title = QStringLiteral("Bass");
    left.addNote({.time = 0, .duration = 96, .pitch = 48});
    left.addNote({.time = 96, .duration = 96, .pitch = 50});
    unused.addNote({.time = 0, .duration = 96, .pitch = 30});
    s.addTrack(right);
    s.addTrack(unused);
    s.addTrack(left);
    s.setLength(768);
    s.assignTrackToPart(0, Part::RightHand);
    s.assignTrackToPart(2, Part::LeftHand);
    s.rebuildAllTracks();
    return s;
}

}  // namespace

TEST(MidiExport, PartsInOrderWithTieChainsJoinedAndChannelsNumbered) {
    CScore s = twoHands();
    s.tracks[0].addNote({.time = 96, .duration = 96, .pitch = 60});
    s.rebuildTrack(0);
    ASSERT_GT(s.track(0).notes.size(), 3);  // the long note is in tied pieces now
    const CMidiFile f = exportMidiFile(s);
    EXPECT_EQ(f.division, 96);
    ASSERT_EQ(f.tracks.size(), 2u);
    EXPECT_EQ(f.tracks[0].name, QStringLiteral("Melody"));
    EXPECT_EQ(f.tracks[0].channel, 0);
    EXPECT_EQ(f.tracks[1].name, QStringLiteral("Bass"));
    EXPECT_EQ(f.tracks[1].channel, 1);
    EXPECT_EQ(notesOf(f.tracks[0]),
              (std::vector<Sounding>{{0, 384, 72, 90}, {96, 96, 60, 100}, {384, 96, 74, 100}}));
    EXPECT_EQ(notesOf(f.tracks[1]), (std::vector<Sounding>{{0, 96, 48, 100}, {96, 96, 50, 100}}));
}

TEST(MidiExport, SignaturesTempoAndKeys) {
    CScore s = twoHands();
    s.setTimeSignature(3, 4, 8);
    s.setKeySignature(22, 0);  // A minor
    s.setKeySignature(9, 2);   // two flats
    s.tempoTrack.events[0].data[1] = 84;
    const CMidiFile f = exportMidiFile(s);
    EXPECT_EQ(f.tempo, 84);
    ASSERT_EQ(f.timeSigs.size(), 2u);
    EXPECT_EQ(f.timeSigs[1].time, 8 * 384);
    EXPECT_EQ(f.timeSigs[1].numerator, 3);
    ASSERT_EQ(f.keySigs.size(), 2u);
    EXPECT_EQ(f.keySigs[0], (CMidiKeySig{.time = 0, .key = 0, .minor = true}));
    EXPECT_EQ(f.keySigs[1], (CMidiKeySig{.time = 768, .key = -2, .minor = false}));
    // A minor is written FF 59 02 00 01.
    EXPECT_TRUE(f.toBytes().contains(QByteArray("\xFF\x59\x02\x00\x01", 5)));
}

TEST(MidiExport, RepeatsAreWrittenAsNotated) {
    CScore s = twoHands();
    s.rebuildBars();
    s.bars[0].styleLeft = 3;
    s.bars[1].styleRight = 3;
    const CMidiFile f = exportMidiFile(s);
    EXPECT_EQ(notesOf(f.tracks[1]).size(), 2u);
}

TEST(MidiExport, ScoreToMidiToScoreKeepsNotesTiesAndSignatures) {
    CScore s = twoHands();
    s.setTimeSignature(6, 8, 1);
    s.setKeySignature(4, 0);
    CMidiFile f;
    ASSERT_TRUE(f.readBytes(exportMidiFile(s).toBytes()).ok);
    CScore back;
    importMidiFile(f, back);
    EXPECT_EQ(back.ppqn, 96);
    EXPECT_EQ(back.keyAtBar(0), 4);
    ASSERT_EQ(back.timesigs.size(), 2u);
    EXPECT_EQ(back.timesigs[1].nom, 6);
    const int right = back.trackOfPart(Part::RightHand);
    ASSERT_GE(right, 0);
    // The tied melody note comes back as one note of the whole length (tied pieces again
    // once the chords are built).
    int32_t melody = 0;
    for (const CNote& n : back.track(right).notes)
        if (n.pitch == 72) melody += n.duration;
    EXPECT_EQ(melody, 384);
    EXPECT_EQ(back.track(right).notes.at(0).time, 0);
}
