// Lines from bars, and the pitch ranges of bars and lines.
#include <gtest/gtest.h>

#include "LayoutTestUtil.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/LinesFromBars.h"
#include "render/layout/PitchRanges.h"
#include "render/layout/StaveGeometry.h"

using namespace ks;
using namespace ks::test;

namespace {

using Spans = std::vector<std::pair<int32_t, int32_t>>;  // firstBar, barsInLine

Spans spans(const CScore& s) {
    Spans out;
    for (const CScoreLine& l : s.lines)
        out.emplace_back(l.firstBar, l.barsInLine);
    return out;
}

}  // namespace

TEST(LinesFromBars, CutsBarsIntoLines) {
    struct Case {
        const char* what;
        int bars;
        int32_t barsperline;
        std::vector<int32_t> barCounts;  // saved per-line counts
        Spans expected;
    };
    const Case cases[] = {
        {"preference", 7, 3, {}, {{0, 3}, {3, 3}, {6, 1}}},
        {"zero per line counts as one", 3, 0, {}, {{0, 1}, {1, 1}, {2, 1}}},
        {"negative per line counts as one", 2, -4, {}, {{0, 1}, {1, 1}}},
        {"a line's own count", 7, 3, {0, 2}, {{0, 3}, {3, 2}, {5, 2}}},
        {"negative own count uses the preference", 4, 2, {-3}, {{0, 2}, {2, 2}}},
        {"one bar", 1, 4, {}, {{0, 1}}},
        {"no bars", 0, 4, {5}, {}},
    };
    for (const Case& c : cases) {
        CScore s = plainScore(c.bars);
        s.prefs.barsperline = c.barsperline;
        for (int32_t count : c.barCounts)
            s.lines.push_back(CScoreLine{.barCount = count});
        linesFromBars(s);
        EXPECT_EQ(spans(s), c.expected) << c.what;
        for (const CScoreLine& l : s.lines)
            for (int b = l.firstBar; b < l.firstBar + l.barsInLine; ++b)
                EXPECT_EQ(s.bar(b).line, &l - s.lines.data()) << c.what;
    }
}

TEST(LinesFromBars, FirstLineTakesTheLeadInBar) {
    CScore s = plainScore(7, {{0, 96, 96, 60}});
    s.prefs.hiderestsatstart = s.prefs.indentatstart = s.prefs.usebarzero = true;
    linesFromBars(s);
    EXPECT_EQ(spans(s), (Spans{{0, 4}, {4, 3}}));
    // Music from tick 0 has no lead-in bar.
    CScore t = plainScore(7, {{0, 0, 96, 60}});
    t.prefs = s.prefs;
    linesFromBars(t);
    EXPECT_EQ(spans(t), (Spans{{0, 3}, {3, 3}, {6, 1}}));
}

TEST(LinesFromBars, KeepsSavedFieldsAndDropsSurplusLines) {
    CScore s = plainScore(4);
    s.lines.resize(6);
    s.lines[0].x = 7;
    s.lines[1].size = 0.5;
    s.lines[0].flags = 0xFF;
    linesFromBars(s);
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].x, 7);
    EXPECT_EQ(s.lines[1].size, 0.5);
    EXPECT_EQ(s.lines[0].flags, 0);
}

TEST(LinesFromBars, LineFlagsFollowTheStaveKind) {
    struct Case {
        int32_t stavetype;
        bool reduced, onlyUsed;
        int32_t flags;
    };
    for (const Case& c : {Case{0, true, true, LineFlag::ReducedSpacing | LineFlag::OnlyUsedLines},
                          Case{2, false, true, LineFlag::OnlyUsedLines},
                          Case{3, true, true, LineFlag::Conventional},
                          Case{4, false, false, LineFlag::Conventional}}) {
        CScore s = plainScore(1);
        s.prefs.stavetype = c.stavetype;
        s.prefs.reducedspacing = c.reduced;
        s.prefs.showonlyusedlines = c.onlyUsed;
        linesFromBars(s);
        EXPECT_EQ(s.lines.front().flags, c.flags) << c.stavetype;
    }
}

TEST(PitchRanges, EmptyScoreShowsTheDefaultStave) {
    CScore s = plainScore(5);
    fullRelayout(s, a4Page());
    for (const CScoreLine& l : s.lines) {
        EXPECT_EQ(l.pitchHigh, 75);
        EXPECT_EQ(l.pitchLow, 41);
    }
    // Showing only used lines, an empty stave collapses around middle C: C4 to D#4.
    s.prefs.showonlyusedlines = true;
    fullRelayout(s, a4Page());
    for (const CScoreLine& l : s.lines) {
        EXPECT_EQ(l.pitchHigh, 63);
        EXPECT_EQ(l.pitchLow, 60);
    }
}

TEST(PitchRanges, HighNoteRaisesTheStaveTopToItsGroup) {
    CScore s = plainScore(2, {{0, 0, 96, 77}});
    fullRelayout(s, a4Page());
    const CScoreLine& l = s.lines.front();
    EXPECT_EQ(s.bar(0).pitchHigh, 77);
    EXPECT_EQ(l.pitchHigh, 77);
    EXPECT_EQ(staveTopPitch(l, defaultStaveRange(0)), 83);
    EXPECT_EQ(l.staveTop, pitchToY(l, 10, 83));
}

TEST(PitchRanges, StemsWidenBarsWhenShowingOnlyUsedLines) {
    // Parts 0 and 1 both have tracks: part 0's stems point up, part 1's down.
    CScore s = plainScore(1, {{0, 0, 96, 62}, {1, 0, 96, 65}});
    s.prefs.showonlyusedlines = true;
    fullRelayout(s, a4Page());
    const CScoreBar& bar = s.bar(0);
    EXPECT_EQ(bar.pitchHigh, 65);
    EXPECT_EQ(bar.pitchLow, 62);
    EXPECT_EQ(bar.extentHigh, 67);  // 62 + 5, below the default top
    EXPECT_EQ(bar.extentLow, 61);   // 65 - 4
    // The line: 67 (G4) rounds to the A#4 line, 61 down to C4.
    EXPECT_EQ(s.lines.front().pitchHigh, 70);
    EXPECT_EQ(s.lines.front().pitchLow, 60);

    // Stem room stops at the default range.
    CScore t = plainScore(1, {{0, 0, 96, 74}, {1, 0, 96, 43}});
    t.prefs.showonlyusedlines = true;
    fullRelayout(t, a4Page());
    EXPECT_EQ(t.bar(0).extentHigh, 75);
    EXPECT_EQ(t.bar(0).extentLow, 41);
}

TEST(PitchRanges, KeySignatureRaisesItsBar) {
    CScore s = plainScore(2, {{0, 0, 96, 60}});
    s.prefs.showkey = true;
    s.setKeySignature(5, 1);  // D major: its signature reaches C#5 (73)
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.bar(0).pitchHigh, 60);
    EXPECT_EQ(s.bar(1).pitchHigh, 73);
    EXPECT_EQ(s.bar(1).extentHigh, 73);
    s.prefs.showkey = false;
    fullRelayout(s, a4Page());
    EXPECT_EQ(s.bar(1).pitchHigh, 0);
}

TEST(PitchRanges, ConventionalHandGapGrowsWithTheHandsReach) {
    struct Case {
        int32_t key;
        std::vector<TestNote> notes;
        int32_t gap;
    };
    const Case cases[] = {
        // Both hands reach middle C (the search starts there): 2 + 2 + 2.
        {7, {}, 6},
        // The left hand up to E4, two steps above C4: 2 more.
        {7, {{2, 0, 96, 64}}, 8},
        // The right hand down to A3: 2 more; the left hand's B3 adds nothing.
        {7, {{0, 0, 96, 57}, {2, 0, 96, 59}}, 8},
        // Seven sharps: middle C is B#3, one step lower, and so is everything else.
        {0, {}, 6},
    };
    for (const Case& c : cases) {
        CScore s = plainScore(1);
        for (const TestNote& n : c.notes)
            s.tracks[size_t(n.part)].addNote(
                CNote{.time = n.time, .duration = n.duration, .pitch = n.pitch});
        s.prefs.stavetype = 3;
        s.setKeySignature(c.key, 0);
        fullRelayout(s, a4Page());
        EXPECT_EQ(s.lines.front().minStaveGap, c.gap) << c.key << " " << c.notes.size();
        EXPECT_EQ(s.lines.front().handGap, c.gap);
    }
}
