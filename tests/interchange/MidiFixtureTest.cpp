// The MIDI files of tests/fixtures/midi: one line per hand-made fixture, and every file
// there (fuzzer finds included) must read without harm and survive writing and reading.
#include <gtest/gtest.h>

#include "SmfBytes.h"
#include "interchange/MidiStringIds.h"
#include "model/TextTable.h"

#include <QDir>
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

const QString kFolder = QStringLiteral(KS_FIXTURES "/midi/");

int eventCount(const CMidiFile& file) {
    int n = 0;
    for (const CMidiTrack& t : file.tracks)
        n += t.events.size();
    return n;
}

TEST(MidiFixtures, EachFixtureReadsAsDescribed) {
    using namespace MidiStringId;
    struct Case {
        const char* file;
        bool ok;
        QStringList messages;
        size_t tracks;
        int events;
        int tempo;
    };
    const Case cases[] = {
        {"format0-two-channels.mid", true, {}, 2, 6, 120},
        {"format1-piano.mid", true, {}, 3, 10, 100},
        {"running-status-at-start.mid", true, {}, 2, 2, 120},
        {"unknown-chunk.mid", true, {}, 2, 4, 120},
        {"no-end-of-track.mid",
         false,
         {text(MalformedData) + "Track 0", text(ErrorReading)},
         1,
         2,
         120},
        {"truncated.mid", false, {text(FileReadError) + "Track 1", text(ErrorReading)}, 2, 2, 120},
        {"track-length-4gb.mid",
         false,
         {text(FileReadError) + "Track 0", text(ErrorReading)},
         1,
         0,
         120},
        {"smpte-division.mid", false, {text(NotTicksPerQuarter)}, 0, 0, 120},
    };
    for (const Case& c : cases) {
        CMidiFile file;
        MidiResult result = file.Read(kFolder + c.file);
        EXPECT_EQ(result.ok, c.ok) << c.file;
        EXPECT_EQ(result.messages, c.messages) << c.file;
        EXPECT_EQ(file.tracks.size(), c.tracks) << c.file;
        EXPECT_EQ(eventCount(file), c.events) << c.file;
        EXPECT_EQ(file.tempo, c.tempo) << c.file;
    }

    CMidiFile format0;
    ASSERT_TRUE(format0.Read(kFolder + "format0-two-channels.mid").ok);
    EXPECT_EQ(format0.tracks[1].channel, 9);
    EXPECT_EQ(format0.timeSigs, (std::vector<CMidiTimeSig>{{0, 3, 4}}));
    EXPECT_EQ(format0.keySigs, (std::vector<CMidiKeySig>{{0, 2, false}}));

    CMidiFile piano;
    ASSERT_TRUE(piano.Read(kFolder + "format1-piano.mid").ok);
    EXPECT_EQ(piano.tracks[0].name, "Song");
    EXPECT_EQ(piano.tracks[1].name, "Right Hand");
    EXPECT_EQ(piano.tracks[2].name, "Acoustic Bass");
    EXPECT_EQ(piano.copyright, "(c) nobody");
    EXPECT_TRUE(piano.tracks[2].events.size() == 4);

    CMidiFile running;
    ASSERT_TRUE(running.Read(kFolder + "running-status-at-start.mid").ok);
    EXPECT_EQ(running.tracks[1].errorText, text(InvalidStatusByte));
}

TEST(MidiFixtures, EveryFileSurvivesReadingWritingAndReadingAgain) {
    const QStringList files = QDir(kFolder).entryList({"*.mid"}, QDir::Files);
    ASSERT_GE(files.size(), 8);
    for (const QString& name : files) {
        CMidiFile file;
        if (!file.Read(kFolder + name).ok) continue;
        CMidiFile back = readOk(file.toBytes());
        std::vector<const CMidiTrack*> withEvents;
        for (const CMidiTrack& t : file.tracks)
            if (!t.events.empty()) withEvents.push_back(&t);
        ASSERT_EQ(back.tracks.size(), withEvents.size() + 1) << name.toStdString();
        for (size_t i = 0; i < withEvents.size(); ++i)
            EXPECT_EQ(back.tracks[i + 1].events.items(), withEvents[i]->events.items())
                << name.toStdString();
        // A whole-note denominator (1) is written with the exponent of 2, as 2/2 is.
        std::vector<CMidiTimeSig> timeSigs = file.timeSigs;
        for (CMidiTimeSig& sig : timeSigs)
            sig.denominator = std::max(sig.denominator, 2);
        EXPECT_EQ(back.timeSigs, timeSigs) << name.toStdString();
        EXPECT_EQ(back.keySigs, file.keySigs) << name.toStdString();
    }
}

}  // namespace
