// Ticks to fractions and x inside a bar, the fixed prefix, and x back to ticks.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/Spacing.h"
#include "render/layout/TickMapping.h"

using namespace ks;
using namespace ks::test;

namespace {

// Bar 0 of a score with a sixteenth at 0 and a long note at 24: entries at 0 (0),
// 24 (48) and 384 (408); natural width 456.
CScoreBar sixteenthBar() {
    CScore s = plainScore(1, {{0, 0, 24, 60}, {0, 24, 360, 62}});
    buildSpacing(s, -1, -1);
    return s.bar(0);
}

}  // namespace

TEST(TickMapping, TickToFraction) {
    const CScoreBar bar = sixteenthBar();
    struct Case {
        int32_t tick;
        double fraction;
    };
    for (const Case& c : {Case{-5, 0.0}, Case{0, 0.0}, Case{12, 24.0 / 456}, Case{24, 48.0 / 456},
                          Case{204, 228.0 / 456}, Case{384, 1.0}, Case{1000, 1.0}})
        EXPECT_DOUBLE_EQ(tickToFraction(bar, c.tick), c.fraction) << c.tick;
}

TEST(TickMapping, FixedPrefix) {
    struct Case {
        int32_t flags;
        int32_t accidentals;
        int32_t styleLeft;
        int32_t prefix;  // at u = 10
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {BarFlag::Clef, 0, 0, 90},
        {BarFlag::Clef | BarFlag::TimeSig, 0, 0, 150},
        {BarFlag::TimeSig | BarFlag::TimeSigWide, 0, 0, 120},
        {BarFlag::KeySig, 3, 0, 53},  // 5.25 units
        {BarFlag::KeySig, 0, 0, 40},
        {0, 0, 3, 20},
        {BarFlag::Clef | BarFlag::TimeSig | BarFlag::TimeSigWide | BarFlag::KeySig, 7, 3, 353},
    };
    for (const Case& c : cases) {
        CScoreBar bar;
        bar.flags = c.flags;
        bar.keyAccidentals = c.accidentals;
        bar.styleLeft = c.styleLeft;
        EXPECT_EQ(fixedPrefix(bar, 10), c.prefix) << c.flags;
    }
}

TEST(TickMapping, TickToX) {
    CScoreBar bar = sixteenthBar();
    bar.left = 1000;
    bar.right = 2000;
    bar.flags = BarFlag::Clef;
    // Usable start 1000 + 10 + 90 (clef) + 30 (lead) = 1130, end 2000; tick 204 lies
    // halfway.
    EXPECT_EQ(tickToX(bar, 204, 10), 1565);
    EXPECT_EQ(tickToX(bar, 0, 10), 1130);
    EXPECT_EQ(tickToX(bar, 384, 10), 2000);
    EXPECT_EQ(tickToX(bar, 204, 10, false, false), 1505);
    bar.styleRight = 3;  // a repeat end keeps two units free, with the prefix only
    EXPECT_EQ(tickToX(bar, 204, 10), 1555);
    EXPECT_EQ(tickToX(bar, 204, 10, false, false), 1505);
}

TEST(TickMapping, XToTickInvertsTheDrawnPositions) {
    CScoreBar bar = sixteenthBar();
    bar.left = 1000;
    bar.right = 2000;
    updateDrawnPositions(bar, 10);
    for (const CSpacing& e : bar.spacing)
        EXPECT_EQ(xToTick(bar, e.drawnX), e.tick);
    // Between the entries at 24 (x 1141) and 384 (x 2000).
    ASSERT_EQ(bar.spacing.at(1).drawnX, 1141);  // 1040 + round(48/456 x 960)
    EXPECT_EQ(xToTick(bar, 1570), 204);         // 24 + 429/859 x 360 = 203.8
    EXPECT_EQ(xToTick(bar, 500), 0);
    EXPECT_EQ(xToTick(bar, 9999), 384);
}
