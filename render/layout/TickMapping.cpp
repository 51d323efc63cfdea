#include "TickMapping.h"

#include <algorithm>

#include "LayoutMath.h"
#include "LayoutUnit.h"

namespace ks {

namespace {

constexpr int32_t kRepeatStyle = 3;

double fractionBetween(int64_t t, int64_t t1, double x1, int64_t t2, double x2) {
    if (t2 <= t1) return x1;
    return x1 + double(t - t1) / double(t2 - t1) * (x2 - x1);
}

}  // namespace

double tickToFraction(const CScoreBar& bar, int32_t tick) {
    const int64_t start = bar.startTick;
    const int64_t end = start + bar.lengthTicks;
    if (tick <= start) return 0.0;
    if (tick >= end) return 1.0;
    const auto& entries = bar.spacing.items();
    if (entries.empty() || bar.naturalWidth <= 0)
        return bar.lengthTicks > 0 ? double(tick - start) / double(bar.lengthTicks) : 0.0;
    auto it = std::lower_bound(entries.begin(), entries.end(), tick,
                               [](const CSpacing& e, int32_t t) { return e.tick < t; });
    double x;
    if (it != entries.end() && it->tick == tick) {
        x = it->position;
    } else {
        // Before the first entry the bar start is the earlier point, after the last
        // one the bar end.
        const int64_t t1 = it == entries.begin() ? start : (it - 1)->tick;
        const double x1 = it == entries.begin() ? 0.0 : (it - 1)->position;
        const int64_t t2 = it == entries.end() ? end : it->tick;
        const double x2 = it == entries.end() ? bar.naturalWidth : it->position;
        x = fractionBetween(tick, t1, x1, t2, x2);
    }
    return std::clamp(x / bar.naturalWidth, 0.0, 1.0);
}

int32_t xToTick(const CScoreBar& bar, int32_t x) {
    const auto& entries = bar.spacing.items();
    if (entries.empty()) {
        if (bar.right <= bar.left || x <= bar.left) return bar.startTick;
        if (x >= bar.right) return saturate(int64_t(bar.startTick) + bar.lengthTicks);
        return saturate(bar.startTick + roundToInt(double(x - bar.left) / (bar.right - bar.left) *
                                                   bar.lengthTicks));
    }
    auto it = std::upper_bound(entries.begin(), entries.end(), x,
                               [](int32_t v, const CSpacing& e) { return v < e.drawnX; });
    if (it == entries.begin()) return entries.front().tick;
    if (it == entries.end()) return entries.back().tick;
    const CSpacing& a = *(it - 1);
    const CSpacing& b = *it;
    if (b.drawnX <= a.drawnX) return a.tick;
    const double t = a.tick + double(x - a.drawnX) / (b.drawnX - a.drawnX) * (b.tick - a.tick);
    return std::clamp(roundToInt(t), a.tick, b.tick);
}

int32_t fixedPrefix(const CScoreBar& bar, double u) {
    double units = 0;
    if (bar.flags & BarFlag::Clef) units += 9;
    if (bar.flags & BarFlag::TimeSig) units += (bar.flags & BarFlag::TimeSigWide) ? 12 : 6;
    if (bar.flags & BarFlag::KeySig)
        units += bar.keyAccidentals > 0 ? 1.75 * bar.keyAccidentals : 4;
    if (bar.styleLeft == kRepeatStyle) units += 2;
    return roundToInt(units * u);
}

int32_t tickToX(const CScoreBar& bar, int32_t tick, double u, bool withPrefix, bool withLead) {
    int64_t d = int64_t(bar.left) + roundToInt(u);
    if (withPrefix) d += fixedPrefix(bar, u);
    if (withLead) d += roundToInt(3 * u);
    int64_t e = bar.right;
    if (withPrefix && bar.styleRight == kRepeatStyle) e -= roundToInt(2 * u);
    return saturate(d + roundToInt(tickToFraction(bar, tick) * double(e - d)));
}

int32_t tickToX(const CScore& score, int index, int32_t tick, bool withPrefix, bool withLead) {
    return tickToX(score.bar(index), tick, layoutUnit(score), withPrefix, withLead);
}

int32_t xToTick(const CScore& score, int index, int32_t x) {
    return xToTick(score.bar(index), x);
}

void updateDrawnPositions(CScoreBar& bar, double u) {
    for (CSpacing& e : bar.spacing)
        e.drawnX = tickToX(bar, e.tick, u);
}

}  // namespace ks
