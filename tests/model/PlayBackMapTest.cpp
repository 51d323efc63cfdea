#include <gtest/gtest.h>

#include "model/PlayBackMap.h"
#include "model/Score.h"

using namespace ks;

namespace {

constexpr int kBar = 384;  // 4/4 at ppqn 96

struct BarLine {
    int bar;
    bool right;  // false: the bar's left bar line
    int style;   // 2 double, 3 repeat, 4 final
};

// A score of `bars` bars of 4/4 with the given bar lines and voltas.
CScore scoreWith(int bars, std::initializer_list<BarLine> lines,
                 std::initializer_list<CScoreVolta> voltas = {}) {
    CScore s;
    s.setLength(bars * kBar);
    for (const BarLine& l : lines) {
        CScoreBar& b = s.bars.at(static_cast<size_t>(l.bar));
        (l.right ? b.styleRight : b.styleLeft) = l.style;
    }
    s.voltamarks = voltas;
    return s;
}

CScoreVolta volta(int bar, int flags) {
    return CScoreVolta{.type = 0, .startbar = bar, .endbar = bar, .flags = flags};
}

CPlayBackMap mapOf(const CScore& s) {
    CPlayBackMap map;
    map.Rebuild(s);
    return map;
}

}  // namespace

TEST(PlayBackMap, WithoutRepeatsPerformanceTimeIsScoreTime) {
    const CPlayBackMap map = mapOf(scoreWith(8, {{7, true, 4}}));
    EXPECT_EQ(map.sections, (std::vector<CTimeSection>{{0, 0}}));
    EXPECT_EQ(map.table.items(), (std::vector<CTimeSection>{{0, 0}}));
    for (int t : {0, 1, 500, 8 * kBar})
        EXPECT_EQ(map.PlayToScore(t), t);
    EXPECT_EQ(map.PlayToScore(-1), 0);
    EXPECT_EQ(map.ScoreToPlay(8 * kBar), 8 * kBar);
}

// Each case: the score, the sections the walk makes, and the performance length.
struct MapCase {
    const char* name;
    CScore score;
    std::vector<CTimeSection> sections;
    int performanceLength;
};

class PlayBackMapCases : public testing::TestWithParam<MapCase> {};

TEST_P(PlayBackMapCases, SectionsAndLength) {
    const MapCase& c = GetParam();
    const CPlayBackMap map = mapOf(c.score);
    EXPECT_EQ(map.sections, c.sections);
    EXPECT_EQ(map.ScoreToPlay(c.score.length), c.performanceLength);
    // Every section boundary maps back and forth consistently.
    for (const CTimeSection& s : c.sections)
        EXPECT_EQ(map.PlayToScore(s.playTime), s.scoreTime);
}

constexpr int E = 4 * kBar;  // end of bar 3

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayBackMapCases,
    testing::Values(
        // A repeat from the start to the end bar line of bar 3: the passage plays twice.
        MapCase{"RepeatFromStart", scoreWith(8, {{3, true, 3}}), {{0, 0}, {0, E}}, 8 * kBar + E},
        // A start bar line at bar 1: the repeat goes back there, not to the beginning.
        MapCase{"RepeatFromStartBarLine",
                scoreWith(8, {{1, false, 3}, {3, true, 3}}),
                {{0, 0}, {kBar, E}},
                8 * kBar + 3 * kBar},
        // First ending bar 3 (pass 1), second ending bar 4 (pass 2): e = bar 3, o = E.
        MapCase{"FirstAndSecondEnding",
                scoreWith(8, {{3, true, 3}}, {volta(3, 1), volta(4, 2)}),
                {{0, 0}, {0, E}, {E, E + 3 * kBar}},
                8 * kBar + 3 * kBar},
        // Two repeat sections, bars 1-2 and 4-5, each with its own start bar line.
        MapCase{"TwoRepeatSections",
                scoreWith(8, {{1, false, 3}, {2, true, 3}, {4, false, 3}, {5, true, 3}}),
                {{0, 0}, {kBar, 3 * kBar}, {4 * kBar, 6 * kBar + 2 * kBar}},
                8 * kBar + 4 * kBar},
        // Bars 1-2 repeat; then bars 4-6 repeat with a first ending (bar 6) for passes
        // 1 and 2 and a second ending (bar 7) for pass 3: bars 4-6, 4-6, 4-5, 7.
        MapCase{
            "EndingsForPassesOneTwoAndThree",
            scoreWith(12, {{1, false, 3}, {2, true, 3}, {4, false, 3}, {6, true, 3}, {7, true, 2}},
                      {volta(6, 0b011), volta(7, 0b100)}),
            {{0, 0},
             {kBar, 3 * kBar},
             {4 * kBar, 9 * kBar},
             {4 * kBar, 12 * kBar},
             {7 * kBar, 14 * kBar}},
            12 * kBar + 2 * kBar + 3 * kBar + 2 * kBar},
        // Endings "1" and "2, 3": bars 0-3 (with bar 3), 0-2 + bar 4, 0-2 + bar 4, on.
        MapCase{"SecondEndingPlayedTwice",
                scoreWith(8, {{3, true, 3}, {4, true, 3}}, {volta(3, 0b001), volta(4, 0b110)}),
                {{0, 0}, {0, E}, {E, E + 3 * kBar}, {0, E + 4 * kBar}, {E, E + 7 * kBar}},
                8 * kBar + 7 * kBar}),
    [](const testing::TestParamInfo<MapCase>& info) { return std::string(info.param.name); });

TEST(PlayBackMap, TableGivesTheFirstPerformanceOfEachScoreTime) {
    const CScore s = scoreWith(8, {{3, true, 3}}, {volta(3, 1), volta(4, 2)});
    const CPlayBackMap map = mapOf(s);
    // Bars 0-3 are first heard in the first pass; bar 4 on comes after the repeat.
    EXPECT_EQ(map.table.items(), (std::vector<CTimeSection>{{0, 0}, {E, E + 3 * kBar}}));
    EXPECT_EQ(map.ScoreToPlay(3 * kBar + 10), 3 * kBar + 10);
    EXPECT_EQ(map.ScoreToPlay(E + 5), E + 3 * kBar + 5);
    EXPECT_EQ(map.PlayToScore(E + 10), 10);  // the second pass
    EXPECT_EQ(map.ScoreToPlay(-5), 0);
}

TEST(PlayBackMap, OverlappingVoltasAreTrimmedAndAnUnpairedOneIgnored) {
    // The first ending is marked over bars 3-4 but the second starts at bar 4.
    CScore s =
        scoreWith(8, {{3, true, 3}},
                  {CScoreVolta{.startbar = 3, .endbar = 4, .flags = 1}, volta(4, 2), volta(6, 1)});
    const CPlayBackMap map = mapOf(s);
    EXPECT_EQ(map.sections, (std::vector<CTimeSection>{{0, 0}, {0, E}, {E, E + 3 * kBar}}));
    // The score's own voltas are left as they are.
    EXPECT_EQ(s.voltamarks[0].endbar, 4);
}

TEST(PlayBackMap, RebuildReplacesThePreviousMap) {
    CScore s = scoreWith(8, {{3, true, 3}});
    CPlayBackMap map = mapOf(s);
    s.bars[3].styleRight = 0;
    map.Rebuild(s);
    EXPECT_EQ(map.sections, (std::vector<CTimeSection>{{0, 0}}));
    EXPECT_TRUE(map.loopPoints.empty());
}

TEST(PlayBackMap, HostileDocumentsStayBounded) {
    // Every bar closes a repeat and voltas claim every pass: the walk and the table end
    // within their budgets and the lookups stay total.
    CScore s;
    s.setLength(20000 * kBar);
    for (CScoreBar& b : s.bars) {
        b.styleLeft = 3;
        b.styleRight = 3;
    }
    for (int bar = 0; bar + 1 < 20000; bar += 4) {
        s.voltamarks.push_back(volta(bar, -1));
        s.voltamarks.push_back(volta(bar + 1, -1));
    }
    const CPlayBackMap map = mapOf(s);
    EXPECT_LE(static_cast<int>(map.sections.size()), CPlayBackMap::kMaxSections);
    EXPECT_GE(map.ScoreToPlay(s.length), 0);
    EXPECT_GE(map.PlayToScore(std::numeric_limits<int32_t>::max()), 0);

    // A one-tick bar cannot stall the table.
    CScore tiny;
    tiny.ppqn = 1;
    tiny.setTimeSignature(1, 128, 0);
    tiny.setLength(50);
    EXPECT_EQ(mapOf(tiny).ScoreToPlay(tiny.length), tiny.length);
}
