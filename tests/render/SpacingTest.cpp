// Bar spacing tables: merged chord starts, widened room after short notes, natural
// widths and beamed-chord counts.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/Spacing.h"

using namespace ks;
using namespace ks::test;

namespace {

std::vector<CSpacing> table(const CScore& s, int bar) {
    return s.bar(bar).spacing.items();
}

CSpacing entry(int32_t tick, int32_t duration, int32_t position) {
    return CSpacing{.tick = tick, .duration = duration, .position = position};
}

}  // namespace

TEST(Spacing, RoomAfterNotesShorterThanAnEighth) {
    struct Case {
        int32_t first;    // duration of the note at tick 0; the next note fills the bar
        int32_t natural;  // natural width of the bar
    };
    // Every bar with chords gains an eighth (48) after its last chord; a sixteenth
    // (24) gains 24 more, an eighth nothing, a thirty-second 36.
    for (const Case& c : {Case{24, 384 + 24 + 48}, Case{48, 384 + 48}, Case{12, 384 + 36 + 48},
                          Case{96, 384 + 48}}) {
        CScore s = plainScore(1, {{0, 0, c.first, 60}, {0, c.first, 384 - c.first, 62}});
        buildSpacing(s, -1, -1);
        EXPECT_EQ(s.bar(0).naturalWidth, c.natural) << c.first;
    }
    CScore s = plainScore(1, {{0, 0, 24, 60}, {0, 24, 360, 62}});
    buildSpacing(s, -1, -1);
    EXPECT_EQ(table(s, 0),
              (std::vector<CSpacing>{entry(0, 24, 0), entry(24, 360, 48), entry(384, 0, 408)}));
}

TEST(Spacing, EqualTicksInTwoPartsKeepTheShorterChord) {
    CScore s = plainScore(1, {{0, 0, 192, 60}, {2, 0, 96, 48}, {2, 96, 96, 50}});
    buildSpacing(s, -1, -1);
    // Parts 1 and 3 are one long rest each; the rests after the notes start at 192.
    EXPECT_EQ(table(s, 0), (std::vector<CSpacing>{entry(0, 96, 0), entry(96, 96, 96),
                                                  entry(192, 192, 192), entry(384, 0, 384)}));
    EXPECT_EQ(s.bar(0).naturalWidth, 432);
}

TEST(Spacing, CountsBeamedChords) {
    CScore s = plainScore(2);
    for (int i = 0; i < 8; ++i)
        s.tracks[0].addNote(CNote{.time = 384 + i * 48, .duration = 48, .pitch = 60 + i});
    s.rebuildAllTracks();
    buildSpacing(s, -1, -1);
    EXPECT_EQ(s.bar(0).beamedChords, 0);
    EXPECT_EQ(s.bar(1).beamedChords, 8);
}

TEST(Spacing, BarWithoutChordsGetsItsTwoEnds) {
    CScore s = plainScore(3);
    s.parts = {0, 0, 0, 0};
    buildSpacing(s, -1, -1);
    EXPECT_EQ(table(s, 2), (std::vector<CSpacing>{entry(768, 384, 0), entry(1152, 0, 384)}));
    EXPECT_EQ(s.bar(2).naturalWidth, 384);
}

TEST(Spacing, RebuildsOnlyTheGivenRange) {
    CScore s = plainScore(3, {{0, 384, 24, 60}});
    buildSpacing(s, -1, -1);
    s.bars[0].naturalWidth = -1;
    s.bars[2].naturalWidth = -1;
    buildSpacing(s, 1, 1);
    EXPECT_EQ(s.bar(0).naturalWidth, -1);
    EXPECT_EQ(s.bar(2).naturalWidth, -1);
    EXPECT_EQ(s.bar(1).naturalWidth, 384 + 24 + 48);
    // Out-of-range requests do nothing.
    buildSpacing(s, 5, 9);
    buildSpacing(s, 2, 1);
    EXPECT_EQ(s.bar(2).naturalWidth, -1);
}
