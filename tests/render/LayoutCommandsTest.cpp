// The Layout-mode line commands: what they change, their limits, and that a refused
// command leaves the score untouched.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/AutoSpaceLines.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/LayoutCommands.h"

using namespace ks;
using namespace ks::test;

namespace {

CScore laidOut(int bars, std::initializer_list<TestNote> notes = {}) {
    CScore s = plainScore(bars, notes);
    fullRelayout(s, a4Page());
    return s;
}

void expectUnchanged(const CScore& a, const CScore& b) {
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.bars, b.bars);
    EXPECT_EQ(a.pages, b.pages);
    EXPECT_EQ(a.prefs, b.prefs);
    EXPECT_EQ(a.titleBox, b.titleBox);
    EXPECT_EQ(a.subtitleBox, b.subtitleBox);
}

}  // namespace

TEST(LayoutCommands, BarsInLine) {
    CScore s = laidOut(7);
    EXPECT_TRUE(changeBarsInLine(s, 0, +1, a4Page()));
    EXPECT_EQ(s.line(0).barCount, 4);
    EXPECT_EQ(s.line(0).barsInLine, 4);
    EXPECT_EQ(s.lines.size(), 2u);
    EXPECT_TRUE(changeBarsInLine(s, 1, -1, a4Page()));  // from the preference, 3
    EXPECT_EQ(s.line(1).barCount, 2);
    EXPECT_TRUE(resetBarsInLine(s, 1, a4Page()));
    EXPECT_EQ(s.line(1).barCount, 0);

    // Refused: past the limits, a reset with nothing to reset, or no such line.
    s.lines[0].barCount = 7;
    fullRelayout(s, a4Page());
    const CScore before = s;
    EXPECT_FALSE(changeBarsInLine(s, 0, +1, a4Page()));
    EXPECT_FALSE(changeBarsInLine(s, 5, +1, a4Page()));
    EXPECT_FALSE(changeBarsInLine(s, -1, -1, a4Page()));
    EXPECT_FALSE(resetBarsInLine(s, 3, a4Page()));
    expectUnchanged(s, before);
    s.lines[0].barCount = 1;
    fullRelayout(s, a4Page());
    EXPECT_FALSE(changeBarsInLine(s, 0, -1, a4Page()));
}

TEST(LayoutCommands, LineSize) {
    CScore s = laidOut(6);
    EXPECT_TRUE(changeLineSize(s, 0, +1, a4Page()));
    EXPECT_EQ(s.line(0).size, 1.005);
    EXPECT_TRUE(changeLineSize(s, 0, -3, a4Page()));
    EXPECT_EQ(s.line(0).size, 0.99);
    // Many steps land exactly on the limit, without drift.
    for (int i = 0; i < 202; ++i)
        changeLineSize(s, 0, +1, a4Page());
    EXPECT_EQ(s.line(0).size, 2.0);
    const CScore before = s;
    EXPECT_FALSE(changeLineSize(s, 0, +1, a4Page()));
    expectUnchanged(s, before);
    EXPECT_TRUE(changeLineSize(s, 0, -1000, a4Page()));
    EXPECT_EQ(s.line(0).size, 0.1);
    EXPECT_FALSE(changeLineSize(s, 9, +1, a4Page()));
}

TEST(LayoutCommands, ResetLinePositions) {
    CScore s = laidOut(9);
    const CScore before = s;
    EXPECT_FALSE(resetLinePositions(s, a4Page()));
    expectUnchanged(s, before);
    s.lines[1].x = 3;
    s.lines[2].yt = 4;
    s.lines[2].barCount = 2;
    EXPECT_TRUE(resetLinePositions(s, a4Page()));
    for (const CScoreLine& l : s.lines) {
        EXPECT_EQ(l.x, 0);
        EXPECT_EQ(l.y, 0);
        EXPECT_EQ(l.yt, kLineYtUnset);
        EXPECT_EQ(l.size, 1.0);
    }
    EXPECT_EQ(s.line(2).barCount, 2);  // bar counts are not positions
}

TEST(LayoutCommands, ResetAllLayoutAdjustments) {
    CScore s = laidOut(9);
    s.lines[0].barCount = 2;
    s.lines[1].size = 0.5;
    s.prefs.textoffset1 = -10;
    s.prefs.textoffset3 = 4;
    s.titleBox.text = QStringLiteral("Sonata|in C");
    s.titleBox.lines = {QStringLiteral("Sonata"), QStringLiteral("in C")};
    s.titleBox.left = 900;
    s.titleBox.top = 1200;
    s.titleBox.right = 5000;
    s.titleBox.bottom = 1500;
    s.subtitleBox.top = 3000;
    s.subtitleBox.bottom = 3250;
    EXPECT_TRUE(resetAllLayoutAdjustments(s, a4Page(), 400));
    EXPECT_EQ(s.line(0).barCount, 0);
    EXPECT_EQ(s.line(0).barsInLine, 3);
    EXPECT_EQ(s.line(1).size, 1.0);
    EXPECT_EQ(s.prefs.textoffset1, 0);
    EXPECT_EQ(s.prefs.textoffset3, 0);
    EXPECT_EQ(s.titleBox.left, 500);
    EXPECT_EQ(s.titleBox.right, 7767);
    EXPECT_EQ(s.titleBox.top, 500);
    EXPECT_EQ(s.titleBox.bottom, 1300);  // two lines of 400
    EXPECT_EQ(s.subtitleBox.top, 1300);
    EXPECT_EQ(s.subtitleBox.bottom, 1550);  // keeps its height
    const CScore before = s;
    EXPECT_FALSE(resetAllLayoutAdjustments(s, a4Page(), 400));
    expectUnchanged(s, before);
    EXPECT_EQ(defaultTitleLineHeight(s), 8 * 61);
}

TEST(LayoutCommands, AutoSpaceLines) {
    // Two lines on one page: tops 580 and 1130, bottoms 970 and 1520, page bottom
    // 11192. Gaps 80, 160 and 9672; mean 3304. Shifts (80 - 3304) / 10 / 2 = -161.2 and
    // (160 - 3304) / 10 = -314.4, rounded; y -= shift.
    CScore s = laidOut(6);
    EXPECT_TRUE(autoSpaceLines(s, a4Page()));
    EXPECT_EQ(s.line(0).y, 161);
    EXPECT_EQ(s.line(1).y, 314);
    EXPECT_EQ(s.line(0).staveTop, 500 + 1610 + 80);

    // Conventional lines move by their own shift, which takes over from y.
    CScore c = plainScore(6);
    c.prefs.stavetype = 3;
    fullRelayout(c, a4Page());
    EXPECT_TRUE(autoSpaceLines(c, a4Page()));
    EXPECT_EQ(c.line(0).y, 0);
    EXPECT_NE(c.line(0).yt, kLineYtUnset);
    EXPECT_GT(c.line(0).yt, 0);
}

TEST(LayoutCommands, AutoSpaceLinesCountsStemsReachingPastTheStave) {
    CScore plain = laidOut(6);
    CScore reaching = plainScore(6, {{0, 0, 96, 100}});
    reaching.prefs.showonlyusedlines = false;
    fullRelayout(reaching, a4Page());
    autoSpaceLines(plain, a4Page());
    autoSpaceLines(reaching, a4Page());
    // The note at 100 raises the first line's top, so it needs less of a push down.
    EXPECT_LT(reaching.line(0).y, plain.line(0).y);
}

TEST(LayoutCommands, AutoAdjustFirstLine) {
    // First note at 530 + 10 + 30 = 570, to come left of 500 + 30 + 5: four steps
    // left (x -4). Then the right end 7767 - 40 must reach 7762: size 1.005.
    CScore s = laidOut(6, {{0, 0, 96, 60}});
    s.lines[0].y = 2;
    EXPECT_TRUE(autoAdjustFirstLine(s, a4Page()));
    EXPECT_EQ(s.line(0).x, -4);
    EXPECT_EQ(s.line(0).size, 1.005);
    EXPECT_EQ(s.line(0).y, 2);
    EXPECT_EQ(s.line(0).right, 530 + 7273 - 40);
    // Running it again arrives at the same place: nothing changes.
    const CScore before = s;
    EXPECT_FALSE(autoAdjustFirstLine(s, a4Page()));
    expectUnchanged(s, before);
}
