// Bar positions along a line: proportional shares, fixed prefixes, relative widths,
// beamed chords and the short last line. The line runs from 530 to 7767 (7237 wide);
// bars without shown parts weigh their 384 ticks.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/PositionBars.h"

using namespace ks;
using namespace ks::test;

namespace {

using Edges = std::vector<std::pair<int32_t, int32_t>>;

Edges edges(const CScore& s, int line) {
    Edges out;
    const CScoreLine& l = s.line(line);
    for (int b = l.firstBar; b < l.firstBar + l.barsInLine; ++b)
        out.emplace_back(s.bar(b).left, s.bar(b).right);
    return out;
}

CScore laidOut(int bars, void (*adjust)(CScore&)) {
    CScore s = plainScore(bars);
    s.parts = {0, 0, 0, 0};
    adjust(s);
    fullRelayout(s, a4Page());
    return s;
}

}  // namespace

TEST(PositionBars, Table) {
    struct Case {
        const char* what;
        int bars;
        void (*adjust)(CScore&);
        int line;
        Edges expected;
        int32_t lineRight;
    };
    const Case cases[] = {
        {"equal bars", 3, [](CScore&) {}, 0, {{530, 2942}, {2942, 5355}, {5355, 7767}}, 7767},
        // The clef prefix (90) comes out of every share and goes in front of bar 0's.
        {"clef",
         3,
         [](CScore& s) { s.prefs.showclefs = true; },
         0,
         {{530, 3002}, {3002, 5385}, {5385, 7767}},
         7767},
        {"double width first bar",
         3,
         [](CScore& s) { s.bars[0].width = 256; },
         0,
         {{530, 4149}, {4149, 5958}, {5958, 7767}},
         7767},
        // Short last lines keep the widths of a line one bar short of the preference.
        {"one bar after a full line of 3", 4, [](CScore&) {}, 1, {{530, 4149}}, 4149},
        {"one bar, 4 per line: a third",
         5,
         [](CScore& s) { s.prefs.barsperline = 4; },
         1,
         {{530, 2942}},
         2942},
        {"one bar in a line asking for 4",
         4,
         [](CScore& s) {
             s.lines.resize(2);
             s.lines[1].barCount = 4;
         },
         1,
         {{530, 2339}},
         2339},
        {"a full last line is not shortened",
         6,
         [](CScore&) {},
         1,
         {{530, 2942}, {2942, 5355}, {5355, 7767}},
         7767},
        {"size 0 line",
         3,
         [](CScore& s) {
             s.lines.resize(1);
             s.lines[0].size = 0;
         },
         0,
         {{530, 530}, {530, 530}, {530, 530}},
         530},
        {"zero width bars share equally",
         3,
         [](CScore& s) {
             for (CScoreBar& b : s.bars)
                 b.width = 0;
         },
         0,
         {{530, 2942}, {2942, 5355}, {5355, 7767}},
         7767},
    };
    for (const Case& c : cases) {
        const CScore s = laidOut(c.bars, c.adjust);
        EXPECT_EQ(edges(s, c.line), c.expected) << c.what;
        EXPECT_EQ(s.line(c.line).right, c.lineRight) << c.what;
        EXPECT_TRUE(s.line(c.line).flags & LineFlag::BarsPositioned) << c.what;
    }
}

TEST(PositionBars, WeightsAndBeamedChords) {
    CScore s = plainScore(3);
    s.parts = {1, 0, 0, 0};
    for (int i = 0; i < 8; ++i)  // eight beamed eighths in bar 1
        s.tracks[0].addNote(CNote{.time = 384 + i * 48, .duration = 48, .pitch = 60});
    fullRelayout(s, a4Page());
    // Bar 0 is a rest (a chord, so 384 + 48 after it); bar 1 holds eight eighths
    // (384 + 48) plus 8 x 24 for the beams; bar 2 a rest again.
    EXPECT_EQ(s.bar(0).weightStart, 0);
    EXPECT_EQ(s.bar(1).weightStart, 432);
    EXPECT_EQ(s.bar(2).weightStart, 432 + 432 + 192);
    EXPECT_EQ(s.bar(1).beamedChords, 8);
    EXPECT_EQ(s.bar(2).naturalWidth, 432);
}

TEST(PositionBars, DrawnPositionsFollowTheBars) {
    CScore s = plainScore(3, {{0, 0, 96, 60}, {0, 96, 96, 62}});
    fullRelayout(s, a4Page());
    for (const CScoreBar& bar : s.bars) {
        EXPECT_EQ(bar.spacing.at(bar.spacing.size() - 1).drawnX, bar.right);
        for (int i = 1; i < bar.spacing.size(); ++i)
            EXPECT_LE(bar.spacing.at(i - 1).drawnX, bar.spacing.at(i).drawnX);
    }
    EXPECT_EQ(s.bar(0).spacing.at(0).drawnX, s.bar(0).left + 10 + 30);
}

TEST(PositionBars, PlacingALineAgainChangesNothing) {
    CScore s = laidOut(4, [](CScore& s) { s.prefs.showclefs = true; });
    const CScore once = s;
    positionBars(s, 1, a4Page());  // the short last line
    positionBars(s, 0, a4Page());
    EXPECT_EQ(s.lines, once.lines);
    EXPECT_EQ(s.bars, once.bars);
}
