// Reading MIDI files from memory: events, meta events, the format 0 split and the
// messages of broken and hostile files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SmfBytes.h"
#include "interchange/MidiStringIds.h"
#include "model/TextTable.h"

#include <limits>

using namespace ks;
using namespace ks::test;
using ::testing::ElementsAre;

namespace {

std::vector<CMidiEvent> eventsOf(const CMidiTrack& track) {
    return track.events.items();
}

TEST(MidiReader, RunningStatusReadsTheDataBytesWithThePreviousStatus) {
    CMidiFile file = readOk(format1({track(bytes({0x00, 0x90, 0x3C, 0x40, 0x00, 0x3C, 0x00}))}));
    ASSERT_EQ(file.tracks.size(), 1u);
    EXPECT_THAT(eventsOf(file.tracks[0]),
                ElementsAre(ev(0, 0x90, 0x3C, 0), ev(0, 0x90, 0x3C, 0x40)));
}

TEST(MidiReader, EventsAreSortedAndDuplicatesCollapse) {
    // At tick 96 the file strikes the note again before releasing it; the release is
    // stored first. The second strike at 0 is an exact duplicate.
    CMidiFile file = readOk(format1({track(bytes({
        0x00, 0x90, 0x3C, 0x40,  //
        0x00, 0x90, 0x3C, 0x40,  //
        0x60, 0x90, 0x3C, 0x40,  //
        0x00, 0x80, 0x3C, 0x00,  //
        0x00, 0xB0, 0x07, 0x64,  //
    }))}));
    EXPECT_THAT(eventsOf(file.tracks[0]),
                ElementsAre(ev(0, 0x90, 0x3C, 0x40), ev(96, 0x80, 0x3C, 0), ev(96, 0xB0, 7, 100),
                            ev(96, 0x90, 0x3C, 0x40)));
}

TEST(MidiReader, TempoTimeAndKeySignatures) {
    CMidiFile file = readOk(format1({track(bytes({
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,              // 500 000 us per quarter
        0x00, 0xFF, 0x58, 0x04, 0x06, 0x03, 0x18, 0x08,        // 6/8
        0x81, 0x40, 0xFF, 0x58, 0x04, 0x02, 0x01, 0x18, 0x08,  // 2/2 at 192
        0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,              // 1 000 000 us: the last tempo wins
    }))}));
    EXPECT_EQ(file.tempo, 60);
    EXPECT_THAT(file.timeSigs, ElementsAre(CMidiTimeSig{0, 6, 8}, CMidiTimeSig{192, 2, 2}));
    EXPECT_EQ(file.division, 96);
    EXPECT_EQ(file.title, text(MidiStringId::Untitled));
    EXPECT_EQ(file.artist, text(MidiStringId::Unknown));

    struct Case {
        int sf, mi;
        CMidiKeySig expected;
    };
    const Case cases[] = {
        {0x00, 1, {0, 0, true}},    // A minor
        {0xFD, 0, {0, -3, false}},  // three flats
        {0x07, 1, {0, 7, true}},    // seven sharps
        {0x08, 0, {0, 0, false}},   // out of range
        {0xF8, 1, {0, 0, true}},    // out of range, still minor
        {0x02, 2, {0, 0, false}},   // unknown mode
    };
    for (const Case& c : cases) {
        CMidiFile k = readOk(format1({track(bytes({0x00, 0xFF, 0x59, 0x02, c.sf, c.mi}))}));
        EXPECT_THAT(k.keySigs, ElementsAre(c.expected)) << c.sf << " " << c.mi;
    }
}

TEST(MidiReader, SignaturesFromSeveralTracksAreInTimeOrder) {
    // Equal times keep the order in which they were read.
    CMidiFile file = readOk(format1({
        track(bytes({0x60, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08})),
        track(bytes({0x00, 0xFF, 0x58, 0x04, 0x05, 0x02, 0x18, 0x08,  //
                     0x60, 0xFF, 0x58, 0x04, 0x07, 0x02, 0x18, 0x08})),
    }));
    EXPECT_THAT(file.timeSigs,
                ElementsAre(CMidiTimeSig{0, 5, 4}, CMidiTimeSig{96, 3, 4}, CMidiTimeSig{96, 7, 4}));
}

TEST(MidiReader, TrackNamesChannelAndTexts) {
    CMidiFile file = readOk(format1({
        // Text names a track that has no name yet; a later name replaces it.
        track(bytes({0x00, 0xFF, 0x01, 0x02, 'A', 'b', 0x00, 0xFF, 0x03, 0x02, 'C', 'd',
                     0x00, 0xFF, 0x01, 0x02, 'E', 'f', 0x00, 0xFF, 0x20, 0x01, 0x05})),
        // Without a name the programs name the track; the last one wins.
        track(bytes({0x00, 0xC0, 0x00, 0x00, 0xC0, 0x28})),
        // A name meta event beats the programs. Copyright is read as windows-1252.
        track(bytes({0x00, 0xFF, 0x03, 0x01, 'X', 0x00, 0xC0, 0x7F,  //
                     0x00, 0xFF, 0x02, 0x03, 0x80, 0xE9, 'x'})),
        track(bytes({0x00, 0xFF, 0x20, 0x01, 0x10})),  // channel prefix 16 is not a channel
    }));
    ASSERT_EQ(file.tracks.size(), 4u);
    EXPECT_EQ(file.tracks[0].name, "Cd");
    EXPECT_TRUE(file.tracks[0].named);
    EXPECT_EQ(file.tracks[0].channel, 5);
    EXPECT_EQ(file.tracks[1].name, "Violin");
    EXPECT_FALSE(file.tracks[1].named);
    EXPECT_EQ(file.tracks[2].name, "X");
    EXPECT_EQ(file.tracks[3].name, "Track 3");
    EXPECT_EQ(file.tracks[3].channel, 0);
    EXPECT_EQ(file.copyright, QString::fromUtf8("\u20AC\u00E9x"));
}

TEST(MidiReader, Format0IsSplitByChannel) {
    CMidiFile file;
    MidiResult result = file.readBytes(header(0, 1, 480) + track(bytes({
                                                               0x00, 0xFF, 0x03, 0x01, 'N',  //
                                                               0x00, 0x99, 0x24, 0x64,       //
                                                               0x00, 0x90, 0x3C, 0x64,       //
                                                               0x60, 0x89, 0x24, 0x00,       //
                                                               0x00, 0x80, 0x3C, 0x00,       //
                                                           })));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(file.tracks.size(), 2u);
    EXPECT_EQ(file.tracks[0].channel, 0);
    EXPECT_EQ(file.tracks[1].channel, 9);
    EXPECT_EQ(file.tracks[0].name, "");
    EXPECT_THAT(eventsOf(file.tracks[0]), ElementsAre(ev(0, 0x90, 60, 100), ev(96, 0x80, 60)));
    EXPECT_THAT(eventsOf(file.tracks[1]), ElementsAre(ev(0, 0x99, 36, 100), ev(96, 0x89, 36)));

    // A format 1 file with one track is left as it is.
    CMidiFile one =
        readOk(format1({track(bytes({0x00, 0x99, 0x24, 0x64, 0x00, 0x90, 0x3C, 0x64}))}));
    EXPECT_EQ(one.tracks.size(), 1u);
}

TEST(MidiReader, SystemMessagesAndUnknownChunksAreSkipped) {
    QByteArray data = header(1, 2, 96) + chunk("XFIH", bytes({1, 2, 3})) +
                      track(bytes({
                          0x00, 0x90, 0x3C, 0x40, 0x00, 0xF0, 0x03, 0x43, 0x12, 0xF7,  // sysex
                          0x00, 0xF2, 0x01, 0x02, 0x00, 0xF3, 0x05, 0x00, 0xF6, 0x00,
                          0xFF, 0x7F, 0x02, 0x00, 0x00,  // sequencer-specific meta
                          0x00, 0x80, 0x3C, 0x00,
                      })) +
                      chunk("XFKM", {}) + track(bytes({0x00, 0xC1, 0x05}));
    CMidiFile file = readOk(data);
    ASSERT_EQ(file.tracks.size(), 2u);
    EXPECT_THAT(eventsOf(file.tracks[0]), ElementsAre(ev(0, 0x80, 0x3C), ev(0, 0x90, 0x3C, 0x40)));
    EXPECT_EQ(file.tracks[1].name, "Electric Piano 2");
}

TEST(MidiReader, DataBytesWithoutRunningStatusEndTheTrackQuietly) {
    // Running status is cleared by a system message; the next data byte has none.
    CMidiFile file = readOk(format1({
        track(bytes({0x00, 0x90, 0x3C, 0x40, 0x00, 0xF6, 0x00, 0x3C, 0x00})),
        track(bytes({0x00, 0x3C, 0x40})),  // a running status at the very start
        track(bytes({0x00, 0x91, 0x40, 0x40})),
    }));
    ASSERT_EQ(file.tracks.size(), 3u);
    EXPECT_THAT(eventsOf(file.tracks[0]), ElementsAre(ev(0, 0x90, 0x3C, 0x40)));
    EXPECT_EQ(file.tracks[0].errorText, text(MidiStringId::InvalidStatusByte));
    EXPECT_TRUE(file.tracks[1].events.empty());
    EXPECT_EQ(file.tracks[1].errorText, text(MidiStringId::InvalidStatusByte));
    EXPECT_EQ(file.tracks[2].events.size(), 1);
    EXPECT_EQ(file.tracks[2].errorText, "");
}

// Files the reader refuses, or reads in part, with the messages it gives in order.
struct FailureCase {
    const char* what;
    QByteArray data;
    bool ok;
    QStringList messages;
    size_t tracks;
};

QString msg(int id) {
    return text(id);
}

std::vector<FailureCase> failureCases() {
    const QByteArray note = track(bytes({0x00, 0x90, 0x3C, 0x40}));
    const QByteArray noEnd = chunk("MTrk", bytes({0x00, 0x90, 0x3C, 0x40}));
    using namespace MidiStringId;
    return {
        {"empty file", {}, false, {msg(ErrorReading)}, 0},
        {"truncated header", QByteArray("MThd\0\0\0\6\0\1", 10), false, {msg(ErrorReading)}, 0},
        {"SMPTE division", header(1, 1, 0xE728) + note, false, {msg(NotTicksPerQuarter)}, 0},
        {"format 2", header(2, 1, 96) + note, false, {msg(OnlyFormat01)}, 0},
        {"track before the header",
         note + header(1, 1, 96) + note,
         false,
         {msg(TrackWithoutHeader), msg(ErrorReading)},
         0},
        {"fewer tracks than announced", header(1, 2, 96) + note, false, {msg(ErrorReading)}, 1},
        {"65535 tracks announced",
         header(1, 0xFFFF, 96) + note + note,
         false,
         {msg(ErrorReading)},
         2},
        {"no tracks announced", header(1, 0, 96) + note, true, {}, 0},
        {"no end of track",
         header(1, 1, 96) + noEnd,
         false,
         {msg(MalformedData) + "Track 0", msg(ErrorReading)},
         1},
        {"track longer than the file",
         header(1, 2, 96) + note + QByteArray("MTrk\0\0\1\0\0", 9),
         false,
         {msg(FileReadError) + "Track 1", msg(ErrorReading)},
         2},
        {"track length of 4 GB",
         header(1, 1, 96) + QByteArray("MTrk\xFF\xFF\xFF\xFF", 8) + note,
         false,
         {msg(FileReadError) + "Track 0", msg(ErrorReading)},
         1},
        {"unknown chunk past the end",
         header(1, 2, 96) + note + QByteArray("JUNK\0\1\0\0", 8),
         false,
         {msg(ErrorReading)},
         1},
        {"division 0", header(1, 1, 0) + note, true, {}, 1},
        {"header longer than 6",
         chunk("MThd", bytes({0, 1, 0, 1, 0, 96, 9, 9})) + note,
         true,
         {},
         1},
        {"trailing junk after the last track", header(1, 1, 96) + note + "abc", true, {}, 1},
    };
}

TEST(MidiReader, BrokenFilesGiveTheirMessages) {
    for (const FailureCase& c : failureCases()) {
        CMidiFile file;
        MidiResult result = file.readBytes(c.data);
        EXPECT_EQ(result.ok, c.ok) << c.what;
        EXPECT_EQ(result.messages, c.messages) << c.what;
        EXPECT_EQ(file.tracks.size(), c.tracks) << c.what;
    }
}

TEST(MidiReader, WhatWasReadBeforeAnErrorStays) {
    CMidiFile file;
    MidiResult result =
        file.readBytes(header(1, 2, 96) + track(bytes({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40})) +
                       chunk("MTrk", bytes({0x00, 0xFF, 0x03, 0x01, 'P', 0x00, 0x90, 0x3C, 0x40})));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(file.tempo, 60);
    ASSERT_EQ(file.tracks.size(), 2u);
    EXPECT_EQ(file.tracks[1].name, "P");
    EXPECT_EQ(file.tracks[1].events.size(), 1);
    EXPECT_EQ(result.messages.first(), msg(MidiStringId::MalformedData) + "P");
}

TEST(MidiReader, HostileTracksReadWhatTheyCan) {
    const int32_t maxTick = std::numeric_limits<int32_t>::max();
    // A variable-length number of more than four bytes keeps its low 32 bits; times
    // never pass the largest tick.
    QByteArray longDeltas;
    for (int i = 0; i < 6; ++i)
        longDeltas += bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, i});
    longDeltas += bytes({0x81, 0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3D, 0x01});  // 2^35: 0
    longDeltas += bytes({0x87, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3E, 0x01});        // 2^31 - 1
    CMidiFile deltas = readOk(format1({track(longDeltas)}));
    const auto& timed = deltas.tracks[0].events;
    ASSERT_EQ(timed.size(), 8);
    EXPECT_EQ(timed[0].time, 0x0FFFFFFF);
    EXPECT_EQ(timed[6].time, 6 * 0x0FFFFFFF);
    EXPECT_EQ(timed[7].time, maxTick);

    // A meta length beyond the track is ignored; the bytes after it are read as events.
    CMidiFile meta =
        readOk(format1({track(bytes({0x00, 0xFF, 0x03, 0x40, 0x00, 0x90, 0x3C, 0x40}))}));
    EXPECT_THAT(eventsOf(meta.tracks[0]), ElementsAre(ev(0, 0x90, 0x3C, 0x40)));
    EXPECT_EQ(meta.tracks[0].name, "Track 0");

    // Data bytes with the top bit set keep their low 7 bits.
    CMidiFile data =
        readOk(format1({track(bytes({0x00, 0x90, 0xBC, 0xC0, 0x00, 0xFF, 0x2F, 0x00}))}));
    EXPECT_THAT(eventsOf(data.tracks[0]), ElementsAre(ev(0, 0x90, 0x3C, 0x40)));

    // A zero tempo, a denominator of 2^31 and short signature events are ignored.
    CMidiFile junk = readOk(format1({track(bytes({
        0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00,        //
        0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1,              //
        0x00, 0xFF, 0x58, 0x04, 0x04, 0x1F, 0x18, 0x08,  //
        0x00, 0xFF, 0x58, 0x01, 0x04,                    //
        0x00, 0xFF, 0x59, 0x01, 0x01,                    //
        0x00, 0xFF, 0x58, 0x02, 0x00, 0x1E,              // numerator 0 over 2^30 is kept
    }))}));
    EXPECT_EQ(junk.tempo, 120);
    EXPECT_THAT(junk.timeSigs, ElementsAre(CMidiTimeSig{0, 0, 1 << 30}));
    EXPECT_TRUE(junk.keySigs.empty());
}

TEST(MidiReader, TenThousandNoteOnsAtOneTick) {
    // Written in descending order so that every event sorts in front of the others.
    QByteArray events;
    for (int i = 9999; i >= 0; --i)
        events += bytes({0x00, 0x90 | (i % 16), (i / 16) % 128, 1 + i / 2048});
    events += bytes({0x00, 0x90, 0x00, 0x01});  // a duplicate of the last but one
    CMidiFile file = readOk(format1({track(events)}));
    ASSERT_EQ(file.tracks[0].events.size(), 10000);
    const auto& items = file.tracks[0].events.items();
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return CMidiEvent::compare(a, b) < 0;
    }));
}

}  // namespace
