#include <gtest/gtest.h>

#include "ModelTestUtil.h"

#include "model/ScoreOperations.h"

using namespace ks;
using ks::test::scoreWithTrack;

namespace {

std::vector<std::array<int, 3>> notesOf(const CScore& s) {
    std::vector<std::array<int, 3>> out;  // time, duration, pitch; tie pieces joined back
    for (const CNote& n : s.track(0).notes) {
        auto joined = std::find_if(out.begin(), out.end(), [&](const std::array<int, 3>& o) {
            return o[2] == n.pitch && o[0] + o[1] == n.time;
        });
        if ((n.flags & NoteFlag::TieEnd) && joined != out.end())
            (*joined)[1] += n.duration;
        else
            out.push_back({n.time, n.duration, n.pitch});
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(ScoreOperations, RemoveOverlapsCutsAtTheNextStartAndDropsWhatBecomesShort) {
    CScore s =
        scoreWithTrack({{.time = 0, .duration = 96, .pitch = 60},  // crotchet under a minim
                        {.time = 0, .duration = 192, .pitch = 64},
                        {.time = 192, .duration = 96, .pitch = 60},  // equal lengths both stay
                        {.time = 192, .duration = 96, .pitch = 67},
                        {.time = 384, .duration = 200, .pitch = 62},  // cut where the next starts
                        {.time = 480, .duration = 96, .pitch = 65}});
    EXPECT_TRUE(removeOverlaps(s));
    EXPECT_EQ(notesOf(s),
              (std::vector<std::array<int, 3>>{
                  {0, 192, 64}, {192, 96, 60}, {192, 96, 67}, {384, 96, 62}, {480, 96, 65}}));
    // The minim keeps the tied pieces the first rebuild split it into: 0-96 and 96-192.
    EXPECT_EQ(s.track(0).notes.size(), 6);
    EXPECT_FALSE(removeOverlaps(s));
}

TEST(ScoreOperations, ExtendNotesAbsorbsRestsAfterChords) {
    CScore s = scoreWithTrack({{.time = 96, .duration = 48, .pitch = 60},
                               {.time = 96, .duration = 48, .pitch = 64},
                               {.time = 384, .duration = 96, .pitch = 62}});
    EXPECT_TRUE(extendNotes(s));
    // The leading rest stays; the chord takes the rest after it up to the next note.
    EXPECT_EQ(notesOf(s),
              (std::vector<std::array<int, 3>>{{96, 288, 60}, {96, 288, 64}, {384, 384, 62}}));
    EXPECT_TRUE(s.track(0).chords.at(0).isRest());
}

TEST(ScoreOperations, ShortenNotesAtBarLinesAndRemoveShortNotes) {
    CScore s =
        scoreWithTrack({{.time = 288, .duration = 192, .pitch = 60},  // crosses into bar 1
                        {.time = 380, .duration = 100, .pitch = 62},  // 4 ticks left: too short
                        {.time = 0, .duration = 384, .pitch = 64}},   // fills bar 0 exactly
                       3);
    EXPECT_TRUE(shortenNotesAtBarLines(s));
    EXPECT_EQ(notesOf(s), (std::vector<std::array<int, 3>>{{0, 384, 64}, {288, 96, 60}}));
    CTrack t;
    t.addNote({.time = 0, .duration = 11, .pitch = 60});
    t.addNote({.time = 20, .duration = 12, .pitch = 60});
    EXPECT_EQ(removeShortNotes(t, 96), 1);
    EXPECT_EQ(t.notes.at(0).duration, 12);
}
