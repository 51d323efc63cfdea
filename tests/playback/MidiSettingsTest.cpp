#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "playback/MidiSettings.h"
#include "playback/RecordingDevice.h"

using namespace ks;
using testing::ElementsAre;

TEST(MidiSettings, EditBoxesKeepDigitsOnly) {
    struct Case {
        const char* typed;
        const char* whenEmpty;
        const char* shown;
    };
    for (const Case c : {Case{"12a3", "1", "123"}, Case{"", "1", "1"}, Case{"-5", "0", "5"},
                         Case{"x", "0", "0"}, Case{" 7 ", "0", "7"}}) {
        EXPECT_EQ(digitsOnly(QString::fromLatin1(c.typed), QString::fromLatin1(c.whenEmpty)),
                  QString::fromLatin1(c.shown))
            << c.typed;
    }
}

TEST(MidiSettings, OkClampsTheNumbers) {
    struct Case {
        const char* box;
        int tempo, velocity, compression;
    };
    for (const Case c : {Case{"5", 20, 5, 5}, Case{"1000", 900, 127, 100},
                         Case{"200", 200, 127, 100}, Case{"", 20, 0, 0},
                         Case{"99999999999999999999", 900, 127, 100}, Case{"64", 64, 64, 64}}) {
        const QString box = QString::fromLatin1(c.box);
        EXPECT_EQ(MidiSettingsForm::tempoValue(box), c.tempo) << c.box;
        EXPECT_EQ(MidiSettingsForm::velocityValue(box), c.velocity) << c.box;
        EXPECT_EQ(MidiSettingsForm::compressionValue(box), c.compression) << c.box;
    }
}

TEST(MidiSettings, OkWritesTheScoreAndTheFirstTempoMark) {
    CScore s;
    s.tempoTrack.events.clear();  // no tempo mark yet: one is made at tick 0
    MidiSettingsForm f = MidiSettingsForm::fromScore(s, MidiInputSettings{});
    EXPECT_EQ(f.tempo, QStringLiteral("120"));
    f.tempo = QStringLiteral("1000");
    f.velocity = QStringLiteral("200");
    f.compression = QString();
    f.channel = 15;  // "16" in the list
    f.program = 40;
    f.metronome = true;
    f.tickpitch = 75;
    f.cursorstep = 1;
    f.applyTo(s);
    EXPECT_EQ(s.midi.tempo, 900);
    EXPECT_EQ(s.startTempo(), 900);
    ASSERT_EQ(s.tempoTrack.events.size(), 1);
    EXPECT_EQ(s.tempoTrack.events[0].time, 0);
    EXPECT_EQ(s.tempoTrack.events[0].data[0], 1);
    EXPECT_EQ(s.midi.velocity, 127);
    EXPECT_EQ(s.midi.compression, 0);
    EXPECT_EQ(s.midi.channel, 15);
    EXPECT_TRUE(s.midi.tick);
    EXPECT_EQ(s.midi.tickpitch, 75);
    EXPECT_EQ(s.prefs.cursorstep, 1);

    // An existing first mark keeps its place, loses its text and takes the tempo.
    s.tempoTrack.events[0].text = QStringLiteral("Allegro");
    f.tempo = QStringLiteral("5");
    f.applyTo(s);
    ASSERT_EQ(s.tempoTrack.events.size(), 1);
    EXPECT_EQ(s.tempoTrack.events[0].data[1], 20);
    EXPECT_TRUE(s.tempoTrack.events[0].text.isEmpty());

    // Channel 16 is sent with status nibble F.
    RecordingDevice device;
    device.noteOn(s.midi.channel, 60, 100);
    EXPECT_EQ(device.messages().at(0).bytes[0], 0x9F);
}

TEST(MidiSettings, ListsAndInputFlags) {
    EXPECT_EQ(numberedChoices(16).size(), 16);
    EXPECT_EQ(numberedChoices(128).last(), QStringLiteral("128"));
    EXPECT_THAT(cursorStepChoices(), ElementsAre("Beat", "Smooth"));
    EXPECT_THAT(cursorStyleChoices(), ElementsAre("Vertical line", "Highlight Notes", "Both"));
    MidiSettingsForm f;
    f.midiIn = true;
    f.midiThru = true;
    EXPECT_TRUE(f.inputSettings(2).enabled);
    EXPECT_EQ(f.inputSettings(2).device, 2);
    EXPECT_FALSE(f.inputSettings(-1).enabled);  // the chooser found no device
}

TEST(MidiSettings, PreviewsPlayTheirSequences) {
    RecordingDevice device;
    device.Close();
    std::vector<int> waits;
    const auto wait = [&](int ms) { waits.push_back(ms); };
    playInstrumentPreview(device, 3, 19, wait);  // opens the closed device first
    playMetronomePreview(device, 9, 0, 37, true, wait);
    playMetronomePreview(device, 9, 0, 38, false, wait);
    std::vector<std::string> log;
    for (const auto& m : device.messages()) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%02X %d %d", m.bytes[0], m.bytes[1], m.bytes[2]);
        log.push_back(buf);
    }
    EXPECT_THAT(log, ElementsAre("B3 7 127", "C3 19 0", "93 64 100", "83 64 0", "C9 0 0",
                                 "99 37 60", "89 37 0", "99 38 60", "89 38 0"));
    EXPECT_THAT(waits, ElementsAre(100, 1000, 100, 500, 500));
}
