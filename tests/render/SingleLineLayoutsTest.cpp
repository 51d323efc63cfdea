// The Music-mode line and the Track-select lines.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/MusicLine.h"
#include "render/layout/TrackSelectLayout.h"

using namespace ks;
using namespace ks::test;

TEST(MusicLine, SpansTheLengthOfAllPageLines) {
    CScore s = plainScore(4);
    s.parts = {0, 0, 0, 0};
    fullRelayout(s, a4Page());
    // Page lines: 530..7767 and the short last line 530..4149; together 10,856.
    const CScoreLine line = layoutMusicLine(s, a4Page());
    EXPECT_EQ(line.firstBar, 0);
    EXPECT_EQ(line.barsInLine, 4);
    EXPECT_EQ(line.left, 530);
    EXPECT_EQ(line.right, 530 + 10856);
    EXPECT_EQ(line.flags, 0);
    // Pitches 112 (c 130) down to 0 (c 0), stave top at the top margin + 80.
    EXPECT_EQ(line.staveTop, 580);
    EXPECT_EQ(line.originY, 1280);
    EXPECT_EQ(line.staveBottom, 1880);
    const int32_t lefts[] = {530, 3244, 5958, 8672};
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(s.bar(b).left, lefts[b]) << b;
        EXPECT_EQ(s.bar(b).right, b < 3 ? lefts[b + 1] : line.right) << b;
    }
}

TEST(MusicLine, ShortBarsAreWidened) {
    CScore s = plainScore(4);
    s.parts = {0, 0, 0, 0};
    s.setTimeSignature(2, 4, 1);  // 192 ticks: twice its natural width
    s.setTimeSignature(1, 4, 2);  // 96 ticks, under half the first bar: twice as well
    s.setTimeSignature(4, 4, 3);
    s.setLength(384 + 192 + 96 + 384);
    fullRelayout(s, a4Page());
    const CScoreLine line = layoutMusicLine(s, a4Page());
    ASSERT_EQ(line.right, 530 + 10856);
    // Weights 384, 384, 192, 384 of 1344.
    EXPECT_EQ(s.bar(1).left, 3632);
    EXPECT_EQ(s.bar(2).left, 6733);
    EXPECT_EQ(s.bar(3).left, 8284);
}

TEST(MusicLine, FirstBarPrefixIsKeptFree) {
    CScore s = plainScore(2);
    s.parts = {0, 0, 0, 0};
    s.prefs.showclefs = true;
    fullRelayout(s, a4Page());
    const CScoreLine line = layoutMusicLine(s, a4Page());
    const int64_t length = int64_t(line.right) - line.left;
    EXPECT_EQ(s.bar(0).left, line.left);
    // bar 1: left + round(90 + (length - 90) / 2)
    EXPECT_EQ(s.bar(1).left, line.left + int32_t(90 + (length - 90) / 2.0 + 0.5));
    EXPECT_EQ(s.bar(0).flags & BarFlag::Clef, BarFlag::Clef);
    EXPECT_EQ(s.bar(1).flags & BarFlag::Clef, 0);
}

TEST(TrackSelect, OneLinePerTrackStackedFromTheTopMargin) {
    CScore s = plainScore(2, {{0, 0, 96, 80}});
    fullRelayout(s, a4Page());
    const std::vector<CScoreLine> lines = layoutTrackSelectLines(s, a4Page());
    ASSERT_EQ(lines.size(), 4u);
    // Track 0 reaches G#5, so its stave shows up to B5 (360 above the origin).
    EXPECT_EQ(lines[0].pitchHigh, 80);
    EXPECT_EQ(lines[0].staveTop, 580);
    EXPECT_EQ(lines[0].staveBottom, 1060);
    EXPECT_EQ(lines[1].pitchHigh, 75);
    EXPECT_EQ(lines[1].staveTop, 1220);
    EXPECT_EQ(lines[1].staveBottom, 1610);
    EXPECT_EQ(lines[2].staveTop, 1770);
    EXPECT_EQ(lines[3].staveTop, 2320);
    for (const CScoreLine& l : lines) {
        EXPECT_EQ(l.left, 530);
        EXPECT_EQ(l.barsInLine, 2);
    }
}
