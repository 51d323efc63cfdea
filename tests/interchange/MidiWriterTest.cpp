// Bytes written for a CMidiFile, and reading them back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SmfBytes.h"

using namespace ks;
using namespace ks::test;
using ::testing::ElementsAre;

namespace {

TEST(MidiWriter, WritesFormat1WithATempoTrackAndNoRunningStatus) {
    CMidiFile file;
    file.division = 96;
    file.title = "T";
    file.timeSigs = {{0, 6, 8}};
    file.keySigs = {{0, 0, true}};  // A minor
    CMidiTrack& piano = file.tracks.emplace_back();
    piano.name = "P";
    piano.channel = 1;
    piano.AddNote(0, 60, 100, 96);
    piano.AddNote(96, 62, 90, 96);
    file.tracks.emplace_back().name = "no events: left out";

    const QByteArray expected =
        header(1, 2, 96) +
        chunk("MTrk", bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // 120 bpm
                             0x00, 0xFF, 0x03, 0x01, 'T',                     // title
                             0x00, 0xFF, 0x58, 0x04, 0x06, 0x03, 0x18, 0x08,  // 6/8
                             0x00, 0xFF, 0x59, 0x02, 0x00, 0x01,              // A minor
                             0x00, 0xFF, 0x2F, 0x00})) +
        chunk("MTrk", bytes({0x00, 0xFF, 0x03, 0x01, 'P',   //
                             0x00, 0xFF, 0x20, 0x01, 0x01,  //
                             0x00, 0x91, 0x3C, 0x64,        //
                             0x60, 0x81, 0x3C, 0x00,        //
                             0x00, 0x91, 0x3E, 0x5A,        // the status byte again
                             0x60, 0x81, 0x3E, 0x00,        //
                             0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(file.toBytes().toHex(' '), expected.toHex(' '));
}

TEST(MidiWriter, TextsAndSignaturesOfTheTempoTrack) {
    CMidiFile file;
    file.tempo = 90;
    file.artist = QString::fromUtf8("B\u00E9");
    file.copyright = QString::fromUtf8("\u20AC\u4E2D");  // no code page byte for the second
    file.addKeySig({96, -2, false});
    file.addTimeSig({96, 2, 2});
    file.addKeySig({0, 3, false});
    file.addTimeSig({96, 3, 4});  // after the 2/2 at the same tick
    const QByteArray tempoTrack =
        chunk("MTrk", bytes({0x00, 0xFF, 0x51, 0x03, 0x0A, 0x2C, 0x2A,        // 666 666 us
                             0x00, 0xFF, 0x01, 0x02, 'B',  0xE9,              // artist
                             0x00, 0xFF, 0x02, 0x02, 0x80, '?',               // copyright
                             0x00, 0xFF, 0x59, 0x02, 0x03, 0x00,              // key at 0
                             0x60, 0xFF, 0x58, 0x04, 0x02, 0x01, 0x18, 0x08,  // 2/2 at 96
                             0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08,  // 3/4 at 96
                             0x00, 0xFF, 0x59, 0x02, 0xFE, 0x00,              // key at 96
                             0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(file.toBytes().toHex(' '), (header(1, 1, 48) + tempoTrack).toHex(' '));
}

TEST(MidiWriter, ValuesAFileCannotHoldAreKeptInRange) {
    struct Case {
        int32_t tempo, division;
        QByteArray divisionBytes, microseconds;
    };
    const Case cases[] = {
        {0, 0, bytes({0x00, 0x01}), bytes({0x07, 0xA1, 0x20})},      // no tempo: 120
        {2, 40000, bytes({0x7F, 0xFF}), bytes({0xFF, 0xFF, 0xFF})},  // slower than 3 bytes hold
        {100000000, 480, bytes({0x01, 0xE0}), bytes({0x00, 0x00, 0x01})},
    };
    for (const Case& c : cases) {
        CMidiFile file;
        file.tempo = c.tempo;
        file.division = c.division;
        const QByteArray out = file.toBytes();
        EXPECT_EQ(out.mid(12, 2).toHex(), c.divisionBytes.toHex()) << c.tempo;
        EXPECT_EQ(out.mid(26, 3).toHex(), c.microseconds.toHex()) << c.tempo;
    }

    // Denominators become the power of two at or above them, at least 2.
    CMidiFile sigs;
    for (int denominator : {1, 2, 3, 4, 8, 0, -5, 1 << 30})
        sigs.addTimeSig({0, 4, denominator});
    CMidiFile back = readOk(sigs.toBytes());
    std::vector<int> denominators;
    for (const CMidiTimeSig& s : back.timeSigs)
        denominators.push_back(s.denominator);
    EXPECT_THAT(denominators, ElementsAre(2, 2, 4, 4, 8, 2, 2, 1 << 30));

    // A channel of 16 or more keeps its low bits; events other than channel messages are
    // left out and data bytes keep 7 bits.
    CMidiFile odd;
    CMidiTrack& t = odd.tracks.emplace_back();
    t.channel = 17;
    t.events.Add(ev(0, 0xF0, 1, 2));
    t.events.Add(ev(0, 0x40, 1, 2));
    t.events.Add(ev(0, 0x90, 0xBC, 0xFF));
    const QByteArray out = odd.toBytes();
    EXPECT_TRUE(out.endsWith(bytes({0x00, 0xFF, 0x20, 0x01, 0x01, 0x00, 0x90, 0x3C, 0x7F,  //
                                    0x00, 0xFF, 0x2F, 0x00})))
        << out.toHex(' ').toStdString();
}

TEST(MidiWriter, WhatIsWrittenReadsBackTheSame) {
    CMidiFile file;
    file.division = 480;
    file.tempo = 75;
    file.title = "Title";
    file.copyright = QString::fromUtf8("\u00A9 2024");
    file.addTimeSig({0, 3, 4});
    file.addTimeSig({1440 * 8, 7, 8});
    file.addKeySig({0, -7, true});
    file.addKeySig({1440 * 8, 5, false});
    for (int t = 0; t < 3; ++t) {
        CMidiTrack& track = file.tracks.emplace_back();
        track.name = QStringLiteral("Part %1").arg(t);
        track.channel = t * 4;
        for (int i = 0; i < 200; ++i)
            track.AddNote(i * 120, 40 + (i * 7 + t) % 60, 1 + i % 127, 100 + t);
        track.events.Add(ev(0, 0xC0 | t * 4, 5 + t));
        track.events.Add(ev(10, 0xB0 | t * 4, 64, 127));
        track.events.Add(ev(20, 0xE0 | t * 4, 0, 64));
        track.events.Add(ev(30, 0xD0 | t * 4, 99));
        track.events.Add(ev(40, 0xA0 | t * 4, 60, 3));
    }
    file.tracks.emplace_back();  // left out
    // A delta that needs five bytes.
    file.tracks[2].AddNote(std::numeric_limits<int32_t>::max() - 1, 60, 1, 1);

    CMidiFile back = readOk(file.toBytes());
    EXPECT_EQ(back.division, 480);
    EXPECT_EQ(back.tempo, 75);
    EXPECT_EQ(back.copyright, file.copyright);
    EXPECT_EQ(back.timeSigs, file.timeSigs);
    EXPECT_EQ(back.keySigs, file.keySigs);
    // The title names the tempo track, which holds no events.
    ASSERT_EQ(back.tracks.size(), 4u);
    EXPECT_EQ(back.tracks[0].name, "Title");
    EXPECT_TRUE(back.tracks[0].events.empty());
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(back.tracks[t + 1].name, file.tracks[t].name);
        EXPECT_TRUE(back.tracks[t + 1].named);
        EXPECT_EQ(back.tracks[t + 1].channel, file.tracks[t].channel);
        EXPECT_EQ(back.tracks[t + 1].events.items(), file.tracks[t].events.items()) << t;
    }
}

}  // namespace
