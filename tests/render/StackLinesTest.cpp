// Stacking lines on pages: vertical positions, page breaks, title room, footer reserve
// and each line's horizontal extent. Unit 10 and an empty default stave (75..41):
// a stave is 270 above its origin and 120 below, 390 high, with 80 above and below.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/StackLines.h"

using namespace ks;
using namespace ks::test;

namespace {

CScore laidOut(int bars, void (*adjust)(CScore&) = nullptr) {
    CScore s = plainScore(bars);
    if (adjust) adjust(s);
    fullRelayout(s, a4Page());
    return s;
}

}  // namespace

TEST(StackLines, LinesFollowEachOtherAndBreakPages) {
    const CScore s = laidOut(63);  // 21 lines of 3 bars
    ASSERT_EQ(s.lines.size(), 21u);
    // Line k of page 0: top 500 + 80 + 550k. The 19th ends at 970 + 550 x 18 = 10870;
    // the 20th would end at 11420, past the bottom (11192).
    for (int k = 0; k < 19; ++k) {
        EXPECT_EQ(s.line(k).page, 0);
        EXPECT_EQ(s.line(k).staveTop, 580 + 550 * k);
        EXPECT_EQ(s.line(k).staveBottom, 970 + 550 * k);
        EXPECT_EQ(s.line(k).originY, 850 + 550 * k);
    }
    EXPECT_EQ(s.line(19).page, 1);
    EXPECT_EQ(s.line(19).staveTop, 580);
    EXPECT_EQ(s.line(20).staveTop, 1130);
    ASSERT_EQ(s.pages.size(), 2u);
    EXPECT_EQ(s.pages[0], (CScorePage{.firstLine = 0, .lineCount = 19}));
    EXPECT_EQ(s.pages[1], (CScorePage{.firstLine = 19, .lineCount = 2}));
}

TEST(StackLines, FooterReserveShortensEveryPage) {
    // A copyright line moved up by 40 units keeps 500 free: page bottom 10692, so the
    // 19th line (bottom 10870) no longer fits.
    const CScore s = laidOut(63, [](CScore& s) {
        s.prefs.showcopyright = true;
        s.prefs.textoffset3 = -40;
        s.copyright = QStringLiteral("Public domain");
    });
    EXPECT_EQ(s.pages[0].lineCount, 18);
    for (const CScorePage& p : s.pages)
        EXPECT_EQ(p.reservedBottom, 500);
}

TEST(StackLines, FooterReserveRules) {
    struct Case {
        bool title, numbers, copyright;
        int32_t offset3;
        int32_t reserve;
    };
    for (const Case& c : {Case{false, false, false, 0, 0}, Case{true, false, false, 0, 40},
                          Case{false, true, false, 0, 40}, Case{false, false, true, 0, 100},
                          Case{true, true, true, 4, 60},       // copyright wins: (10 - 4) x 10
                          Case{false, false, true, 30, 0}}) {  // never negative
        const CScore s = laidOut(3, nullptr);
        CScore t = s;
        t.prefs.showtitle = c.title;
        t.prefs.showpagenumbers = c.numbers;
        t.prefs.showcopyright = c.copyright;
        t.prefs.textoffset3 = c.offset3;
        t.copyright = QStringLiteral("(c)");
        stackLines(t, a4Page());
        EXPECT_EQ(t.pages.front().reservedBottom, c.reserve) << c.title << c.numbers << c.copyright;
    }
}

TEST(StackLines, SpacesShiftsAndTitleRoom) {
    struct Case {
        const char* what;
        void (*adjust)(CScore&);
        int32_t firstTop;
        int32_t secondTop;
    };
    const Case cases[] = {
        {"plain", [](CScore&) {}, 580, 1130},
        {"lyrics above", [](CScore& s) { s.prefs.lyricposition = 0; }, 800, 1570},
        {"lyrics below", [](CScore& s) { s.prefs.lyricposition = 2; }, 580, 1350},
        {"second line moved down 5",
         [](CScore& s) {
             s.lines.resize(2);
             s.lines[1].y = 5;
         },
         580, 1180},
        {"first line moved up 3",
         [](CScore& s) {
             s.lines.resize(1);
             s.lines[0].y = -3;
         },
         550, 1100},
        // Title and subtitle boxes without height, artist: 240 + 60 + 40.
        {"title, subtitle, artist",
         [](CScore& s) { s.prefs.showtitle = s.prefs.showsubtitle = s.prefs.showartist = true; },
         920, 1470},
        {"title box with height",
         [](CScore& s) {
             s.prefs.showtitle = true;
             s.titleBox.top = 600;
             s.titleBox.bottom = 1500;
         },
         1580, 2130},
        // A title box above the top margin does not pull the music above it.
        {"title box above the margin",
         [](CScore& s) {
             s.prefs.showtitle = true;
             s.titleBox.top = 100;
             s.titleBox.bottom = 300;
         },
         580, 1130},
    };
    for (const Case& c : cases) {
        const CScore s = laidOut(6, c.adjust);
        EXPECT_EQ(s.line(0).staveTop, c.firstTop) << c.what;
        EXPECT_EQ(s.line(1).staveTop, c.secondTop) << c.what;
    }
}

TEST(StackLines, ConventionalLinesUseTheirOwnShiftWhenSet) {
    auto topOfSecond = [](int32_t y, int32_t yt) {
        CScore s = plainScore(6);
        s.prefs.stavetype = 3;
        s.lines.resize(2);
        s.lines[1].y = y;
        s.lines[1].yt = yt;
        fullRelayout(s, a4Page());
        return s.line(1).staveTop - s.line(0).staveBottom;
    };
    EXPECT_EQ(topOfSecond(0, kLineYtUnset), 160);
    EXPECT_EQ(topOfSecond(3, kLineYtUnset), 190);  // falls back to y
    EXPECT_EQ(topOfSecond(3, -2), 140);
}

TEST(StackLines, HorizontalExtent) {
    struct Case {
        const char* what;
        void (*adjust)(CScore&);
        int32_t indentLeft, indentRight, left, right;
    };
    const Case cases[] = {
        {"plain", [](CScore&) {}, 30, 0, 530, 7767},
        // Half the usable width (7237 / 2 = 3618.5, rounded up), shifted by 10 units.
        {"size 0.5, x 10",
         [](CScore& s) {
             s.lines.resize(1);
             s.lines[0].size = 0.5;
             s.lines[0].x = 10;
         },
         30, 0, 630, 4249},
        {"keyboards", [](CScore& s) { s.prefs.showkeyboards = true; }, 90, 90, 590, 7677},
        {"no keyboards on conventional staves",
         [](CScore& s) {
             s.prefs.showkeyboards = true;
             s.prefs.stavetype = 4;
         },
         30, 0, 530, 7767},
    };
    for (const Case& c : cases) {
        const CScore s = laidOut(3, c.adjust);
        const CScoreLine& l = s.line(0);
        EXPECT_EQ(l.indentLeft, c.indentLeft) << c.what;
        EXPECT_EQ(l.indentRight, c.indentRight) << c.what;
        EXPECT_EQ(l.left, c.left) << c.what;
        EXPECT_EQ(l.right, c.right) << c.what;
    }
}

TEST(StackLines, LineTallerThanAPageStandsAloneOnEachPage) {
    CScore s = plainScore(9);
    s.unit = 1000;  // a stave 39,000 high on an 11,693 page
    fullRelayout(s, a4Page());
    ASSERT_EQ(s.lines.size(), 3u);
    ASSERT_EQ(s.pages.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(s.line(k).page, k);
        EXPECT_EQ(s.line(k).staveTop, 500 + 8000);
        EXPECT_EQ(s.pages[size_t(k)], (CScorePage{.firstLine = k, .lineCount = 1}));
    }
}

TEST(StackLines, FirstLineThatDoesNotFitBelowTheTitleStartsPageTwo) {
    CScore s = plainScore(6);
    s.prefs.showtitle = true;
    s.titleBox.top = 500;
    s.titleBox.bottom = 10900;  // leaves room for no line
    fullRelayout(s, a4Page());
    ASSERT_EQ(s.pages.size(), 2u);
    EXPECT_EQ(s.pages[0], (CScorePage{.firstLine = 0, .lineCount = 0, .reservedBottom = 40}));
    EXPECT_EQ(s.pages[1], (CScorePage{.firstLine = 0, .lineCount = 2, .reservedBottom = 40}));
    EXPECT_EQ(s.line(0).staveTop, 580);
}
