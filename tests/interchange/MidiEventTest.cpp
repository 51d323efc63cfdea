// Order of MIDI events and notes added to a track.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SmfBytes.h"

using namespace ks;
using namespace ks::test;
using ::testing::ElementsAre;

namespace {

TEST(MidiEvent, OrderByTimeThenNoteOnsLastThenStatusAndData) {
    struct Case {
        CMidiEvent a, b;
        int expected;
    };
    const Case cases[] = {
        {ev(0, 0x90, 60, 100), ev(1, 0x80, 60), -1},     // time first
        {ev(5, 0x90, 0, 1), ev(5, 0xE0, 0, 64), 1},      // note-ons after everything else
        {ev(5, 0x91, 60, 0), ev(5, 0x80, 60), 1},        // also on other channels and at velocity 0
        {ev(5, 0x80, 60), ev(5, 0xB0, 7, 100), -1},      // then status
        {ev(5, 0x90, 60, 0), ev(5, 0x90, 60, 100), -1},  // then data
        {ev(5, 0x90, 59, 100), ev(5, 0x90, 60, 1), -1}, {ev(5, 0xC0, 3), ev(5, 0xC0, 3), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CMidiEvent::compare(c.a, c.b), c.expected);
        EXPECT_EQ(CMidiEvent::compare(c.b, c.a), -c.expected);
    }
}

TEST(MidiEvent, DataByteCounts) {
    const int expected[] = {2, 2, 2, 2, 1, 1, 2};
    for (int high = 0x8; high <= 0xE; ++high)
        EXPECT_EQ(midiDataByteCount(high << 4 | 0x3), expected[high - 8]) << high;
    EXPECT_EQ(midiDataByteCount(0x7F), 0);
    EXPECT_EQ(midiDataByteCount(0xF0), 0);
    EXPECT_EQ(midiDataByteCount(0xFF), 0);
}

TEST(MidiTrack, AddNoteAddsASortedNoteOnAndNoteOff) {
    CMidiTrack track;
    track.channel = 2;
    track.AddNote(96, 60, 100, 96);
    track.AddNote(0, 60, 80, 96);  // ends where the first starts: released first
    track.AddNote(0, 60, 80, 96);  // a duplicate adds nothing
    EXPECT_THAT(track.events.items(), ElementsAre(ev(0, 0x92, 60, 80), ev(96, 0x82, 60),
                                                  ev(96, 0x92, 60, 100), ev(192, 0x82, 60)));
}

TEST(MidiTrack, AddNoteKeepsItsValuesInRange) {
    CMidiTrack track;
    track.channel = 17;  // only the low four bits reach the status byte
    track.AddNote(std::numeric_limits<int32_t>::max() - 10, 200, 300, 100);
    track.AddNote(50, -3, -1, -20);
    EXPECT_THAT(track.events.items(),
                ElementsAre(ev(50, 0x81, 0), ev(50, 0x91, 0, 0),
                            ev(std::numeric_limits<int32_t>::max() - 10, 0x91, 127, 127),
                            ev(std::numeric_limits<int32_t>::max(), 0x81, 127)));
}

}  // namespace
