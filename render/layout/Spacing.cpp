#include "Spacing.h"

#include <algorithm>

#include "LayoutMath.h"

namespace ks {

namespace {

int32_t barEnd(const CScoreBar& bar) {
    return saturate(int64_t(bar.startTick) + bar.lengthTicks);
}

// Merges entries of equal tick (the shorter duration stays, the earlier on a tie),
// widens the room after short entries to g, and stores the table.
void finishBar(CScoreBar& bar, std::vector<CSpacing>& entries, int32_t g) {
    if (entries.empty()) {
        bar.spacing.assign({CSpacing{.tick = bar.startTick, .duration = bar.lengthTicks},
                            CSpacing{.tick = barEnd(bar), .position = bar.lengthTicks}});
        return;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CSpacing& a, const CSpacing& b) { return a.tick < b.tick; });
    size_t kept = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (kept > 0 && entries[kept - 1].tick == entries[i].tick) {
            if (entries[i].duration < entries[kept - 1].duration) entries[kept - 1] = entries[i];
            continue;
        }
        entries[kept++] = entries[i];
    }
    entries.resize(kept);
    int64_t extra = 0;
    for (CSpacing& e : entries) {
        e.position = static_cast<int32_t>(e.position + extra);
        if (e.duration < g) extra += g - e.duration;
    }
    bar.naturalWidth = static_cast<int32_t>(bar.naturalWidth + extra);
    bar.spacing.assign(std::move(entries));
}

}  // namespace

void buildSpacing(CScore& score, int32_t first, int32_t last) {
    const int32_t n = static_cast<int32_t>(score.bars.size());
    if (first < 0) {
        first = 0;
        last = n - 1;
    }
    last = std::min(last, n - 1);
    if (first > last) return;
    const int32_t g = score.ppqn / 2;
    std::vector<std::vector<CSpacing>> entries(static_cast<size_t>(last - first + 1));
    for (int32_t b = first; b <= last; ++b) {
        CScoreBar& bar = score.bars[static_cast<size_t>(b)];
        bar.spacing.clear();
        bar.naturalWidth = bar.lengthTicks;
        bar.beamedChords = 0;
    }
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        const CSortedArray<CChord>& chords = score.track(t).chords;
        int32_t lastBar = -1;
        for (int i = chords.lowerBound(CChord{.time = score.bars[size_t(first)].startTick});
             i < chords.size(); ++i) {
            const CChord& c = chords.at(i);
            if (c.bar > last) break;
            if (c.bar < first) continue;
            CScoreBar& bar = score.bars[static_cast<size_t>(c.bar)];
            std::vector<CSpacing>& list = entries[static_cast<size_t>(c.bar - first)];
            if (c.bar != lastBar) {
                list.push_back(CSpacing{.tick = barEnd(bar), .position = bar.lengthTicks});
                lastBar = c.bar;
            }
            list.push_back(CSpacing{
                .tick = c.time, .duration = c.duration, .position = c.time - bar.startTick});
            if (c.beam != -1) ++bar.beamedChords;
        }
    }
    for (int32_t b = first; b <= last; ++b)
        finishBar(score.bars[static_cast<size_t>(b)], entries[static_cast<size_t>(b - first)], g);
}

}  // namespace ks
