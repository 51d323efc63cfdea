// "Prevent tracks overlapping": stems of the two hands turned apart after chord building.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/layout/PreventOverlaps.h"
#include "render/layout/StemDirection.h"

using namespace ks;
using namespace ks::test;

namespace {

// Parts 0 and 2 only, directions by stem balance (the hands are not shown by the stem).
CScore twoHands(std::initializer_list<TestNote> notes) {
    CScore s = drawingScore(2, notes, {0, 2});
    s.prefs.dynamicorientation = true;
    s.prefs.optimise = true;
    return s;
}

bool up(const CScore& s, int part, int chord) {
    const CTrack& t = s.track(s.trackOfPart(part));
    return chordPointsUp(s, part, t, chord);
}

}  // namespace

TEST(PreventOverlaps, TurnsTheHandsApartWhereTheyMeet) {
    struct Case {
        const char* what;
        std::vector<int32_t> right, left;  // pitches of one chord each, at tick 0
        bool rightUp, leftUp;              // directions afterwards
    } cases[] = {
        // Both down (balances -2 and -5): the right hand turns up once the left hand's top
        // reaches within 9 of the right hand's bottom (limited to 67).
        {"down on down, apart", {70}, {55}, false, false},
        {"down on down, close", {70}, {59}, true, false},
        {"bottom limited to 67", {90}, {59}, true, false},
        // Right down, left up: the left turns down within 16, the right up within 9.
        {"left up, apart", {70}, {30, 44}, false, true},
        {"left up, within 16", {70}, {30, 52}, false, false},
        {"left up, within 9", {70}, {30, 58}, true, false},
        // Both up: the left turns down within 9.
        {"both up, close", {66}, {30, 58}, true, false},
        {"both up, apart", {66}, {30, 50}, true, true},
    };
    for (const Case& c : cases) {
        CScore s = twoHands({});
        for (int32_t p : c.right)
            s.tracks[0].addNote(CNote{.time = 0, .duration = 96, .pitch = p});
        for (int32_t p : c.left)
            s.tracks[2].addNote(CNote{.time = 0, .duration = 96, .pitch = p});
        layOut(s);
        EXPECT_EQ(up(s, 0, 0), c.rightUp) << c.what;
        EXPECT_EQ(up(s, 2, 0), c.leftUp) << c.what;
    }
}

TEST(PreventOverlaps, OnlyForOverlappingChordsOfPartsZeroAndTwoWithTheOptionOn) {
    // Not at the same time: nothing turns.
    CScore apart = twoHands({{0, 0, 96, 70}, {2, 96, 96, 59}});
    layOut(apart);
    EXPECT_FALSE(up(apart, 0, 0));
    CScore off = twoHands({{0, 0, 96, 70}, {2, 0, 96, 59}});
    off.prefs.optimise = false;
    layOut(off);
    EXPECT_FALSE(up(off, 0, 0));
    // With a second right-hand part the pass stays out (and the parts fix the stems).
    CScore three = twoHands({{0, 0, 96, 70}, {2, 0, 96, 59}});
    three.assignTrackToPart(3, 3);
    three.tracks[3].addNote(CNote{.time = 0, .duration = 96, .pitch = 40});
    layOut(three);
    EXPECT_EQ(up(three, 2, 0), true);  // part 2 up, part 3 down
    EXPECT_FALSE(up(three, 0, 0));
}

TEST(PreventOverlaps, AUsersFlipStays) {
    CScore s = twoHands({{0, 0, 96, 70}, {2, 0, 96, 59}});
    s.tracks[0].notes[0].flags |= NoteFlag::StemDown;
    layOut(s);
    EXPECT_FALSE(up(s, 0, 0));
}

// A beamed left hand counts as its whole beam: its highest note decides, and the whole
// beam turns.
TEST(PreventOverlaps, BeamsTurnAsAWhole) {
    CScore s = twoHands({{0, 0, 96, 70}, {2, 0, 48, 30}, {2, 48, 48, 30}, {2, 48, 48, 58}});
    layOut(s);
    ASSERT_EQ(s.tracks[2].beams.size(), 1u);
    EXPECT_FALSE(up(s, 2, 0));
    EXPECT_FALSE(up(s, 2, 1));
    EXPECT_TRUE(up(s, 0, 0));
    // The drawing follows: part 0 (drawn first) stems up, the left hand's two down.
    std::vector<DrawnItem> stems;
    for (const DrawnItem& i : record(s)->itemsOf(DrawnItem::Type::Line, QStringLiteral("chord")))
        if (i.points[0].x() == i.points[1].x()) stems.push_back(i);
    ASSERT_EQ(stems.size(), 3u);
    EXPECT_LT(stems[0].points[1].y(), stems[0].points[0].y());
    EXPECT_GT(stems[1].points[1].y(), stems[1].points[0].y());
    EXPECT_GT(stems[2].points[1].y(), stems[2].points[0].y());
}
