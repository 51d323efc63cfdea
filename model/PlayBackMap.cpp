// Building the performance map: loop points from bar lines and voltas, the walk that
// unrolls them into sections, and the score-to-performance table.
#include "PlayBackMap.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "Score.h"

namespace ks {

namespace {

// Bar line styles that matter here.
constexpr int32_t kDoubleBarLine = 2;
constexpr int32_t kRepeatBarLine = 3;
constexpr int32_t kFinalBarLine = 4;

constexpr int64_t kMaxTime = std::numeric_limits<int32_t>::max();

// The loop point a plain repeat jumps back to when no start point qualifies.
CLoopPoint implicitStart() {
    return CLoopPoint{.time = 0, .isEnd = false, .passes = 1, .pass = 0, .index = 0};
}

bool bitSet(int32_t mask, int32_t bit) {
    if (bit < 0) return false;
    if (bit >= 32) return mask < 0;  // the sign bit stands for all higher passes
    return (static_cast<uint32_t>(mask) >> bit) & 1u;
}

// Insert keeping time order: a point with the same time is replaced (the last such
// point in the list), otherwise the new point goes after the last earlier point.
void insertPoint(std::vector<CLoopPoint>& points, const CLoopPoint& p) {
    for (size_t i = points.size(); i-- > 0;) {
        if (points[i].time == p.time) {
            points[i] = p;
            return;
        }
        if (points[i].time < p.time) {
            points.insert(points.begin() + static_cast<std::ptrdiff_t>(i) + 1, p);
            return;
        }
    }
    points.insert(points.begin(), p);
}

// The voltas in bar order, trimmed so that no two overlap: each ends at the latest one
// bar before the next begins; a volta left empty is dropped.
std::vector<CScoreVolta> trimmedVoltas(const CScore& score) {
    std::vector<CScoreVolta> voltas = score.voltamarks;
    std::stable_sort(voltas.begin(), voltas.end(), [](const CScoreVolta& a, const CScoreVolta& b) {
        return a.startbar < b.startbar;
    });
    for (size_t i = 0; i + 1 < voltas.size(); ++i)
        if (voltas[i].endbar >= voltas[i + 1].startbar)
            voltas[i].endbar = voltas[i + 1].startbar - 1;
    std::erase_if(voltas, [](const CScoreVolta& v) { return v.endbar < v.startbar; });
    return voltas;
}

// End tick of the first bar from `bar` on that closes a passage (double, repeat end or
// final bar line); the score length when there is none.
int32_t passageEnd(const CScore& score, int32_t bar) {
    const int32_t count = std::min<int32_t>(score.barCount(), static_cast<int32_t>(kMaxBars));
    for (int32_t b = std::max(bar, 0); b < count; ++b) {
        const int32_t style = score.bar(b).styleRight;
        if (style == kDoubleBarLine || style == kRepeatBarLine || style == kFinalBarLine)
            return score.barStart(b) + score.barLength(b);
    }
    return score.length;
}

}  // namespace

CPlayBackMap::CPlayBackMap() {
    sections.push_back({0, 0});
    lookup_ = sections;
    table.Add({0, 0});
}

void CPlayBackMap::Rebuild(const CScore& score) {
    buildLoopPoints(score);
    walk();
    buildTable(score);
}

void CPlayBackMap::buildLoopPoints(const CScore& score) {
    loopPoints.clear();
    const int32_t count = score.barCount();
    for (int32_t b = 0; b < count; ++b) {
        const CScoreBar& bar = score.bar(b);
        const int32_t start = score.barStart(b);
        // A start point is a target while it has been passed fewer than `passes` times:
        // two passes let the plain repeat that follows jump back to it once.
        if (bar.styleLeft == kRepeatBarLine) loopPoints.push_back({.time = start, .passes = 2});
        if (bar.styleRight == kRepeatBarLine)
            loopPoints.push_back({.time = start + score.barLength(b), .isEnd = true});
    }

    const std::vector<CScoreVolta> voltas = trimmedVoltas(score);
    for (size_t i = 0; i + 1 < voltas.size(); i += 2) {
        const CScoreVolta& first = voltas[i];
        const CScoreVolta& second = voltas[i + 1];
        const int32_t e = score.barStart(first.startbar);
        const int32_t o = score.barStart(second.startbar);
        const uint32_t larger =
            std::max(static_cast<uint32_t>(first.flags), static_cast<uint32_t>(second.flags));
        const int32_t count = static_cast<int32_t>(std::bit_width(larger));
        const int32_t firstPasses = std::popcount(static_cast<uint32_t>(first.flags));
        const int32_t secondPasses = std::popcount(static_cast<uint32_t>(second.flags));

        // The start point this pair repeats from: the nearest one at or before the first
        // ending that still has passes left. Setting a count on the implicit start point
        // has no lasting effect, so nothing is done then.
        for (size_t k = loopPoints.size(); k-- > 0;) {
            CLoopPoint& p = loopPoints[k];
            if (p.time > e || p.isEnd || p.pass >= p.passes) continue;
            p.passes = count;
            break;
        }

        insertPoint(
            loopPoints,
            {.time = e, .isEnd = true, .jumpTo = o, .passes = count, .passMask = ~first.flags});
        // The end of the first ending jumps back once for every pass that plays it; the
        // end of the second ending for every pass that plays it but the last.
        insertPoint(
            loopPoints,
            {.time = passageEnd(score, score.barAtTick(e)), .isEnd = true, .passes = firstPasses});
        insertPoint(loopPoints, {.time = passageEnd(score, score.barAtTick(o)),
                                 .isEnd = true,
                                 .passes = secondPasses - 1});
    }

    for (size_t k = 0; k < loopPoints.size(); ++k)
        loopPoints[k].index = static_cast<int32_t>(k);
}

void CPlayBackMap::walk() {
    sections.assign(1, {0, 0});
    std::vector<CLoopPoint>& points = loopPoints;
    const size_t n = points.size();
    int64_t offset = 0;
    size_t k = 0;
    int steps = 0;
    // Each end point jumps at most `passes` times, but hostile documents can make that
    // a very large number of steps: the budget ends the walk as if the music ended.
    while (k < n && ++steps <= kMaxSteps && static_cast<int>(sections.size()) < kMaxSections) {
        CLoopPoint& p = points[k];
        if (!p.isEnd) {
            p.pass += 1;
            k += 1;
        } else if (p.pass >= p.passes) {
            k += 1;
        } else if (bitSet(p.passMask, p.pass)) {
            CLoopPoint target = implicitStart();
            if (p.jumpTo > 0) {
                target.time = p.jumpTo;
            } else {
                for (size_t j = k; j-- > 0 && ++steps <= kMaxSteps;) {
                    if (!points[j].isEnd && points[j].pass < points[j].passes) {
                        target = points[j];
                        break;
                    }
                }
            }
            const int64_t playTime = p.time + offset;
            if (playTime > kMaxTime) break;
            sections.push_back({target.time, static_cast<int32_t>(playTime)});
            offset += p.time - target.time;
            p.pass += 1;
            k = p.jumpTo > 0 ? k + 2 : static_cast<size_t>(target.index);
        } else {
            p.pass += 1;
            if (p.pass >= p.passes || p.jumpTo > 0) k += 1;
        }
    }
    lookup_.clear();
    for (const CTimeSection& s : sections) {
        while (!lookup_.empty() && lookup_.back().playTime >= s.playTime)
            lookup_.pop_back();
        lookup_.push_back(s);
    }
}

void CPlayBackMap::buildTable(const CScore& score) {
    table.clear();
    table.Add({0, 0});
    const int32_t length = score.length;
    int64_t d = 0;
    for (int steps = 0; d <= kMaxTime && steps < kMaxSteps; ++steps) {
        const int32_t s = PlayToScore(static_cast<int32_t>(d));
        table.Add({s, static_cast<int32_t>(d)});
        if (s >= length) break;
        d += std::max(score.barLength(score.barAtTick(s)) >> 1, 1);
    }
    // Keep only the entries where the offset between the two times changes (one pass
    // from the end, comparing each entry with the one before it as it stood).
    std::vector<CTimeSection> kept;
    const std::vector<CTimeSection>& all = table.items();
    for (size_t i = 0; i < all.size(); ++i) {
        if (i > 0 && int64_t(all[i].playTime) - all[i].scoreTime ==
                         int64_t(all[i - 1].playTime) - all[i - 1].scoreTime)
            continue;
        kept.push_back(all[i]);
    }
    table.assign(std::move(kept));
}

int32_t CPlayBackMap::PlayToScore(int32_t p) const {
    // The last section that has begun by `p`.
    auto it = std::upper_bound(lookup_.begin(), lookup_.end(), p,
                               [](int32_t v, const CTimeSection& s) { return v < s.playTime; });
    if (it == lookup_.begin()) return 0;
    --it;
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t(it->scoreTime) + p - it->playTime, 0, kMaxTime));
}

int32_t CPlayBackMap::ScoreToPlay(int32_t s) const {
    const std::vector<CTimeSection>& items = table.items();
    auto it = std::upper_bound(items.begin(), items.end(), s,
                               [](int32_t v, const CTimeSection& e) { return v < e.scoreTime; });
    if (it == items.begin()) return 0;
    --it;
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t(it->playTime) + s - it->scoreTime, 0, kMaxTime));
}

}  // namespace ks
