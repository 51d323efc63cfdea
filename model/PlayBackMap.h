// CPlayBackMap: the performance map of a score. Repeat bar lines and voltas are
// unrolled into time sections, so that every performance time (a position in the
// music as played, where a repeated passage occurs twice) maps to a score time (a
// position in the written music) and back. Without repeats the two are equal.
#pragma once

#include <cstdint>
#include <vector>

#include "SortedArray.h"

namespace ks {

class CScore;

// From performance time `playTime` on, the score is read from score time `scoreTime`.
struct CTimeSection {
    int32_t scoreTime = 0;
    int32_t playTime = 0;

    // The score-to-performance table is ordered by score time.
    static int compare(const CTimeSection& a, const CTimeSection& b) {
        return compareInts(a.scoreTime, b.scoreTime);
    }
    bool operator==(const CTimeSection&) const = default;
};

// A place where the performance may jump (an end point) or jump back to (a start point).
struct CLoopPoint {
    int32_t time = 0;  // score ticks
    bool isEnd = false;
    int32_t jumpTo = 0;  // score ticks; 0 = back to the nearest start point
    int32_t passes = 1;
    int32_t pass = 0;       // counter used while unrolling
    int32_t passMask = -1;  // bit n set: the point jumps on pass n
    int32_t index = 0;      // the point's own position in the list

    bool operator==(const CLoopPoint&) const = default;
};

class CPlayBackMap {
  public:
    // Limits that keep hostile documents from asking for unbounded work: unrolling
    // stops after this many sections or steps, and at the largest int32 time.
    static constexpr int kMaxSections = 100000;
    static constexpr int kMaxSteps = 1 << 22;

    std::vector<CTimeSection> sections;  // performance order; the first is {0, 0}
    CSortedArray<CTimeSection> table;    // score to performance, one entry per offset change
    std::vector<CLoopPoint> loopPoints;

    CPlayBackMap();

    // Rebuild loop points, sections and table from the bars, bar lines, voltas and
    // length of `score`.
    void Rebuild(const CScore& score);

    // The score time played at performance time `p` (0 before the start).
    int32_t PlayToScore(int32_t p) const;
    // The performance time at which score time `s` is first played (0 before the start).
    // ScoreToPlay(length) is the performance length of the score.
    int32_t ScoreToPlay(int32_t s) const;

    bool operator==(const CPlayBackMap&) const = default;

  private:
    void buildLoopPoints(const CScore& score);
    void walk();
    void buildTable(const CScore& score);

    // The sections a lookup can find, in rising performance time. A lookup takes the
    // last section that has begun; a section appended later shadows every earlier one
    // that begins no earlier than it does (a volta that jumps past loop points can make
    // such a section), so those are left out here.
    std::vector<CTimeSection> lookup_;
};

}  // namespace ks
