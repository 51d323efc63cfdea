// The full relayout: its order, legacy adjustments, the title rule, the unit, and
// extreme but loadable documents.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/LayoutUnit.h"

using namespace ks;
using namespace ks::test;

namespace {

// Every bar lies in exactly one line, lines follow each other, and the pages list
// every line once, in order.
void expectConsistent(const CScore& s, const char* what) {
    int32_t nextBar = 0;
    for (size_t i = 0; i < s.lines.size(); ++i) {
        const CScoreLine& l = s.lines[i];
        ASSERT_EQ(l.firstBar, nextBar) << what;
        ASSERT_GE(l.barsInLine, 1) << what;
        for (int b = l.firstBar; b < l.firstBar + l.barsInLine; ++b)
            ASSERT_EQ(s.bar(b).line, static_cast<int32_t>(i)) << what;
        nextBar += l.barsInLine;
        if (i > 0) {
            ASSERT_GE(l.page, s.lines[i - 1].page) << what;
        }
    }
    ASSERT_EQ(nextBar, static_cast<int32_t>(s.bars.size())) << what;
    int32_t nextLine = 0;
    for (const CScorePage& p : s.pages) {
        ASSERT_EQ(p.firstLine, nextLine) << what;
        nextLine += p.lineCount;
    }
    ASSERT_EQ(nextLine, static_cast<int32_t>(s.lines.size())) << what;
}

}  // namespace

TEST(FullRelayout, ExtremeDocumentsLayOutAndFinish) {
    struct Case {
        const char* what;
        int bars;
        void (*adjust)(CScore&, PageGeometry&);
    };
    const Case cases[] = {
        {"font size 100000", 9,
         [](CScore& s, PageGeometry&) {
             s.unit = 0;
             s.prefs.fontsize = 100000;
         }},
        {"no bars per line", 7, [](CScore& s, PageGeometry&) { s.prefs.barsperline = 0; }},
        {"negative bars per line", 7, [](CScore& s, PageGeometry&) { s.prefs.barsperline = -9; }},
        {"margins larger than the page", 7,
         [](CScore&, PageGeometry& g) {
             g.marginLeft = g.marginRight = 9000;
             g.marginTop = g.marginBottom = 12000;
         }},
        {"stave gap of a million", 7, [](CScore& s, PageGeometry&) { s.prefs.stavegap = 1000000; }},
        {"one bar", 1, [](CScore&, PageGeometry&) {}},
        {"twenty thousand bars", 20000, [](CScore&, PageGeometry&) {}},
        {"line size 0 and 100", 9,
         [](CScore& s, PageGeometry&) {
             s.lines.resize(2);
             s.lines[0].size = 0;
             s.lines[1].size = 100;
         }},
        {"huge shifts and widths", 9,
         [](CScore& s, PageGeometry&) {
             s.lines.resize(3);
             s.lines[0].y = 2000000000;
             s.lines[1].x = -2000000000;
             s.lines[2].y = -2000000000;
             s.bars[4].width = 2000000000;
             s.bars[5].width = -7;
         }},
        {"not-a-number size", 3,
         [](CScore& s, PageGeometry&) {
             s.lines.resize(1);
             s.lines[0].size = std::nan("");
         }},
        {"zero page", 4, [](CScore&, PageGeometry& g) { g = PageGeometry{}; }},
    };
    for (const Case& c : cases) {
        CScore s = plainScore(c.bars, {{0, 0, 96, 72}, {2, 0, 96, 48}});
        s.prefs.showtitle = s.prefs.showclefs = s.prefs.showpagenumbers = true;
        PageGeometry page = a4Page();
        c.adjust(s, page);
        fullRelayout(s, page);
        expectConsistent(s, c.what);
    }
}

TEST(FullRelayout, HugeFontGivesOneLinePerPage) {
    CScore s = plainScore(9);
    s.unit = 0;
    s.prefs.fontsize = 100000;
    fullRelayout(s, a4Page());
    EXPECT_DOUBLE_EQ(s.unit, unitFor(100000));
    ASSERT_EQ(s.lines.size(), 3u);
    EXPECT_EQ(s.pages.size(), 3u);
}

TEST(FullRelayout, UnitDefaultsToTheFontSizeValueAndAChangeRelaysOut) {
    CScore s = plainScore(3);
    s.unit = 0;
    s.prefs.fontsize = 90;
    fullRelayout(s, a4Page());
    EXPECT_DOUBLE_EQ(s.unit, 90 * 0.5555555);
    EXPECT_DOUBLE_EQ(unitFor(107), 59.4444385);

    const int32_t before = s.line(0).staveBottom;
    EXPECT_FALSE(setLayoutUnit(s, s.unit, a4Page()));
    EXPECT_FALSE(setLayoutUnit(s, -1, a4Page()));
    EXPECT_TRUE(setLayoutUnit(s, 20, a4Page()));
    EXPECT_EQ(s.unit, 20);
    EXPECT_EQ(s.line(0).staveTop, 500 + 160);
    EXPECT_NE(s.line(0).staveBottom, before);
}

TEST(FullRelayout, LegacyLineAdjustmentsMoveIntoLines) {
    CScore s = plainScore(9);
    s.linePaddings = {
        CLinePadding{
            .line = 1, .padding = 12, .lyricPadding = 3, .barCount = 2, .offset = 4, .width = 0.75},
        CLinePadding{.line = -1, .padding = 99},   // no such line
        CLinePadding{.line = 500, .padding = 99},  // more lines than bars: dropped
    };
    fullRelayout(s, a4Page());
    EXPECT_TRUE(s.linePaddings.empty());
    const CScoreLine& l = s.line(1);
    EXPECT_EQ(l.lpad, 3);
    EXPECT_EQ(l.barCount, 2);
    EXPECT_EQ(l.x, 4);
    EXPECT_EQ(l.size, 0.75);
    EXPECT_EQ(l.barsInLine, 2);
    EXPECT_EQ(s.line(0).barsInLine, 3);
    // The space above follows the lyric position on every stacking.
    EXPECT_EQ(l.spaceAbove, 8);
}

TEST(FullRelayout, FirstLineMovesDownBelowTheTitle) {
    CScore s = plainScore(6);
    s.prefs.showtitle = true;
    s.titleBox.top = 500;
    s.titleBox.bottom = 2000;
    s.lines.resize(1);
    s.lines[0].y = -100;  // dragged far up into the title
    fullRelayout(s, a4Page());
    // Stave top = 2000 + 10 y + 80: the smallest whole y that clears the title is -8.
    EXPECT_EQ(s.line(0).y, -8);
    EXPECT_EQ(s.line(0).staveTop, 2000);
    // A line already below the title is left alone.
    s.lines[0].y = 3;
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.line(0).y, 3);
}

TEST(FullRelayout, IndentFlags) {
    CScore s = plainScore(6, {{0, 96, 96, 60}});
    s.prefs.hiderestsatstart = s.prefs.indentatstart = true;
    s.prefs.hiderestsatend = s.prefs.indentatend = true;
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.line(0).flags & LineFlag::CroppedStart, LineFlag::CroppedStart);
    EXPECT_EQ(s.line(0).flags & LineFlag::CroppedEnd, 0);
    EXPECT_EQ(s.line(1).flags & LineFlag::CroppedEnd, LineFlag::CroppedEnd);
    EXPECT_EQ(s.bar(0).flags & BarFlag::CroppedStart, BarFlag::CroppedStart);
    EXPECT_EQ(s.bar(5).flags & BarFlag::CroppedEnd, BarFlag::CroppedEnd);
    // Music from the first tick is not cropped at the start.
    s.tracks[0].addNote(CNote{.time = 0, .duration = 96, .pitch = 62});
    s.prefs.hiderestsatend = false;
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.line(0).flags & LineFlag::CroppedStart, 0);
    EXPECT_EQ(s.bar(5).flags & BarFlag::CroppedEnd, 0);
}

TEST(FullRelayout, BarFlagsAndPrefixContent) {
    CScore s = plainScore(6);
    s.prefs.showclefs = s.prefs.showtimesignature = s.prefs.showkey = true;
    s.setTimeSignature(12, 8, 4);
    s.setKeySignature(10, 0);  // three flats
    s.setLength(4 * 384 + 2 * 576);
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.bar(0).flags & 0xF, BarFlag::Clef | BarFlag::TimeSig | BarFlag::KeySig);
    EXPECT_EQ(s.bar(0).keyAccidentals, 3);
    EXPECT_EQ(s.bar(1).flags & 0xF, 0);
    EXPECT_EQ(s.bar(3).flags & 0xF, BarFlag::Clef);
    EXPECT_EQ(s.bar(4).flags & 0xF, BarFlag::TimeSig | BarFlag::TimeSigWide);
}

TEST(FullRelayout, IsStable) {
    CScore s = plainScore(12, {{0, 0, 24, 72}, {0, 24, 72, 74}, {2, 0, 384, 48}});
    s.prefs.showclefs = s.prefs.showtitle = true;
    fullRelayout(s, a4Page());
    const CScore once = s;
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.lines, once.lines);
    EXPECT_EQ(s.bars, once.bars);
    EXPECT_EQ(s.pages, once.pages);
}
