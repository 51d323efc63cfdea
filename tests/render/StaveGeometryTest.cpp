// Pitch-to-y and back, stave positions, default ranges and stave extents, against
// values worked out by hand (unit 10 unless stated, so one position is 10 units).
#include <gtest/gtest.h>

#include "render/layout/StaveGeometry.h"

using namespace ks;

namespace {

CScoreLine lineWith(int32_t flags, int32_t handGap = 0, int32_t originY = 1000) {
    CScoreLine l;
    l.flags = flags;
    l.handGap = handGap;
    l.originY = originY;
    return l;
}

constexpr int32_t kNormal = 0;
constexpr int32_t kReduced = LineFlag::ReducedSpacing;
constexpr int32_t kConventional = LineFlag::Conventional;

}  // namespace

TEST(StaveGeometry, DefaultRangesByStaveType) {
    struct Case {
        int32_t type;
        StaveRange range;
    };
    for (const Case& c :
         {Case{0, {41, 76}}, Case{1, {48, 71}}, Case{2, {53, 76}}, Case{3, {43, 78}},
          Case{4, {43, 78}}, Case{7, {41, 76}}, Case{-1, {41, 76}}})
        EXPECT_EQ(defaultStaveRange(c.type), c.range) << c.type;
    EXPECT_EQ(defaultStaveRange(0).top - defaultStaveRange(0).bottom, 35);  // 36 semitones
}

TEST(StaveGeometry, StavePositions) {
    struct Case {
        int32_t flags;
        int32_t pitch;
        int32_t position;
    };
    const Case cases[] = {
        {kNormal, 60, 70},       {kNormal, 64, 74},       {kNormal, 65, 76},  // E-F takes two
        {kNormal, 71, 82},       {kNormal, 72, 84},       {kNormal, 0, 0},
        {kNormal, 127, 148},     {kReduced, 61, 61},      {kConventional, 60, 35},
        {kConventional, 61, 35},  // a sharp shares its natural's position
        {kConventional, 71, 41}, {kConventional, 72, 42},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stavePosition(c.flags, c.pitch), c.position) << c.flags << " " << c.pitch;
}

TEST(StaveGeometry, PitchToY) {
    struct Case {
        int32_t flags;
        int32_t handGap;
        double u;
        int32_t pitch;
        int32_t y;
    };
    const Case cases[] = {
        // Normal stave, origin 1000: y = 1000 - 10 (c - 60) from middle C up.
        {kNormal, 0, 10, 60, 900},
        {kNormal, 0, 10, 61, 890},
        {kNormal, 0, 10, 64, 860},
        {kNormal, 0, 10, 65, 840},
        {kNormal, 0, 10, 72, 760},
        // Below middle C: 1000 + 10 (gap + 60 - c). With no gap B3 sits two positions
        // below C4, where the hands meet.
        {kNormal, 0, 10, 59, 920},
        {kNormal, 4, 10, 59, 960},
        {kNormal, 4, 10, 48, 1080},
        // The step is u rounded half away from zero.
        {kNormal, 0, 10.4, 61, 890},
        {kNormal, 0, 10.5, 61, 879},
        // Reduced spacing: one position per semitone.
        {kReduced, 0, 10, 60, 1000},
        {kReduced, 0, 10, 61, 990},
        {kReduced, 0, 10, 59, 1010},
        // Conventional: seven positions per octave.
        {kConventional, 2, 10, 60, 1250},
        {kConventional, 2, 10, 62, 1240},
        {kConventional, 2, 10, 59, 1280},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pitchToY(lineWith(c.flags, c.handGap), c.u, c.pitch), c.y)
            << c.flags << " gap " << c.handGap << " u " << c.u << " pitch " << c.pitch;
}

TEST(StaveGeometry, FractionalPitchToY) {
    const CScoreLine l = lineWith(kNormal);
    EXPECT_EQ(fractionalPitchToY(l, 10, 64 << 16), 860);
    EXPECT_EQ(fractionalPitchToY(l, 10, (64 << 16) + 32768), 850);  // halfway E4 to F4
    EXPECT_EQ(fractionalPitchToY(l, 10, (67 << 16) + 36864), 815);  // 820 - 10 x 0.5625
    EXPECT_EQ(fractionalPitchToY(l, 10, (59 << 16) + 16384), 915);  // B3 + 1/4 towards C4
}

TEST(StaveGeometry, EveryPitchMapsBackFromItsOwnHeight) {
    for (double u : {10.0, 59.4444385, 7.5}) {
        for (int32_t gap : {0, 3}) {
            for (int32_t flags : {kNormal, kReduced}) {
                const CScoreLine l = lineWith(flags, gap);
                for (int32_t p = 0; p <= 127; ++p)
                    ASSERT_EQ(yToPitch(l, u, pitchToY(l, u, p)), p)
                        << "u " << u << " gap " << gap << " flags " << flags;
            }
            // Conventional positions give the natural (a sharp shares its position).
            const CScoreLine c = lineWith(kConventional, gap);
            for (int32_t p = 0; p <= 127; ++p) {
                static constexpr int32_t kNatural[12] = {0, 0, 2, 2, 4, 5, 5, 7, 7, 9, 9, 11};
                ASSERT_EQ(yToPitch(c, u, pitchToY(c, u, p)), p - p % 12 + kNatural[p % 12]) << p;
            }
        }
    }
}

TEST(StaveGeometry, YToPitchBetweenPositions) {
    const CScoreLine l = lineWith(kNormal, 4);  // C4 at 900, B3 at 960
    struct Case {
        int32_t y;
        int32_t pitch;
    };
    for (const Case& c :
         {Case{-5000, 127}, Case{5000, 0}, Case{904, 60}, Case{906, 60},
          Case{935, 60},                                 // inside the hand gap
          Case{945, 59},                                 // the gap position next to B3
          Case{855, 64}, Case{845, 65}, Case{850, 64}})  // the unused E-F position counts as E
        EXPECT_EQ(yToPitch(l, 10, c.y), c.pitch) << c.y;
}

TEST(StaveGeometry, YToFractionalPitch) {
    const CScoreLine l = lineWith(kNormal);
    EXPECT_EQ(yToFractionalPitch(l, 10, 860), 64 << 16);
    EXPECT_EQ(yToFractionalPitch(l, 10, 856), (64 << 16) + 13107);  // 4/20 of the way to F4
    EXPECT_EQ(yToFractionalPitch(l, 10, 863), (64 << 16) - 19660);  // 3/10 towards D#4
    // Round trip of a fraction.
    EXPECT_EQ(yToFractionalPitch(l, 10, fractionalPitchToY(l, 10, (70 << 16) + 32768)),
              (70 << 16) + 32768);
}

TEST(StaveGeometry, StaveExtentPitches) {
    const StaveRange type0 = defaultStaveRange(0);
    struct Case {
        int32_t flags;
        int32_t high, low;
        int32_t top, bottom;
    };
    const Case cases[] = {
        {kNormal, 75, 41, 75, 41},
        {kNormal, 77, 41, 83, 41},  // F5 rounds up to the top of its group, B5
        {kNormal, 76, 40, 76, 36},  // E2 rounds down to C2
        {kNormal, 126, 38, 127, 36},
        {LineFlag::OnlyUsedLines, 77, 50, 77, 50},
        {kConventional, 70, 50, 78, 43},
        {kConventional, 90, 30, 90, 30},
    };
    for (const Case& c : cases) {
        CScoreLine l = lineWith(c.flags);
        l.pitchHigh = c.high;
        l.pitchLow = c.low;
        const StaveRange range = c.flags == kConventional ? defaultStaveRange(3) : type0;
        EXPECT_EQ(staveTopPitch(l, range), c.top) << c.high;
        EXPECT_EQ(staveBottomPitch(l, range), c.bottom) << c.low;
    }
}

TEST(StaveGeometry, PlaceStavePutsTheTopPitchAtTheGivenY) {
    CScoreLine l = lineWith(kNormal, 0, 0);
    l.pitchHigh = 75;
    l.pitchLow = 41;
    placeStave(l, 10, defaultStaveRange(0), 580);
    // c(75) = 87, c(41) = 48: the top is 270 above the origin, the bottom 120 below.
    EXPECT_EQ(l.originY, 850);
    EXPECT_EQ(l.staveTop, 580);
    EXPECT_EQ(l.staveBottom, 970);
    EXPECT_EQ(pitchToY(l, 10, 75), 580);
}

TEST(StaveGeometry, HandGap) {
    CDisplaySettings prefs;
    CScoreLine l;
    prefs.stavegap = 0;
    EXPECT_EQ(handGapFor(prefs, l), 0);
    l.flags = LineFlag::Conventional;
    EXPECT_EQ(handGapFor(prefs, l), 2);
    l.minStaveGap = 5;
    EXPECT_EQ(handGapFor(prefs, l), 5);
    prefs.stavegap = 7;
    EXPECT_EQ(handGapFor(prefs, l), 7);
    prefs.stavegap = 2000000000;
    EXPECT_EQ(handGapFor(prefs, l), kMaxHandGap);
}
