#include "EventPlacement.h"

#include <algorithm>

#include "render/layout/LayoutMath.h"
#include "render/layout/TickMapping.h"

namespace ks {

LineSpan lineSpan(const CDrawContext& ctx, const CScoreLine& line) {
    const int bars = static_cast<int>(ctx.score.bars.size());
    LineSpan span;
    span.firstBar = std::clamp(line.firstBar, 0, bars);
    span.endBar = static_cast<int>(
        std::clamp<int64_t>(int64_t(span.firstBar) + line.barsInLine, span.firstBar, bars));
    if (span.endBar == span.firstBar) return span;
    const CScoreBar& first = ctx.score.bar(span.firstBar);
    const CScoreBar& last = ctx.score.bar(span.endBar - 1);
    span.startTick = first.startTick;
    span.endTick = saturate(int64_t(last.startTick) + std::max(last.lengthTicks, 0));
    return span;
}

int barOnLine(const CDrawContext& ctx, const LineSpan& span, int32_t tick, bool atEnd) {
    if (span.endBar <= span.firstBar) return -1;
    if (!atEnd && !span.holds(tick)) return -1;
    if (atEnd && (tick <= span.startTick || tick > span.endTick)) return -1;
    const int64_t t = atEnd ? int64_t(tick) - 1 : tick;
    const auto& bars = ctx.score.bars;
    // The last bar of the span whose start is not after t.
    auto it = std::upper_bound(bars.begin() + span.firstBar, bars.begin() + span.endBar, t,
                               [](int64_t v, const CScoreBar& b) { return v < b.startTick; });
    if (it == bars.begin() + span.firstBar) return -1;
    return static_cast<int>(it - bars.begin()) - 1;
}

int lineOfTick(const CDrawContext& ctx, int32_t tick, bool atEnd) {
    if (!ctx.view.lines.empty()) {
        for (int i = 0; i < ctx.lineCount(); ++i)
            if (barOnLine(ctx, lineSpan(ctx, ctx.lineRecord(i)), tick, atEnd) >= 0) return i;
        return -1;
    }
    const int64_t t = atEnd ? int64_t(tick) - 1 : tick;
    if (t < 0 || ctx.score.bars.empty()) return -1;
    const auto& bars = ctx.score.bars;
    auto it = std::upper_bound(bars.begin(), bars.end(), t,
                               [](int64_t v, const CScoreBar& b) { return v < b.startTick; });
    if (it == bars.begin()) return -1;
    const CScoreBar& bar = *(it - 1);
    if (t >= int64_t(bar.startTick) + bar.lengthTicks) return -1;
    return bar.line >= 0 && bar.line < ctx.lineCount() ? bar.line : -1;
}

int32_t tickX(const CDrawContext& ctx, int bar, int32_t tick) {
    return tickToX(ctx.score.bar(bar), tick, ctx.u, true, true);
}

int chordAtTick(const CTrack& track, int32_t tick) {
    const auto& chords = track.chords.items();
    auto it = std::upper_bound(chords.begin(), chords.end(), tick,
                               [](int32_t t, const CChord& c) { return t < c.time; });
    if (it == chords.begin()) return -1;
    const CChord& c = *(it - 1);
    return tick < c.end() ? static_cast<int>(it - chords.begin()) - 1 : -1;
}

QColor partColour(const CDrawContext& ctx, int part) {
    if (ctx.view.mode == ViewMode::Music && part != ctx.view.currentPart)
        return CDrawContext::grey();
    return Qt::black;
}

bool isBlackKey(int32_t pitch) {
    static constexpr bool kBlack[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
    return kBlack[floorMod(pitch, 12)];
}

bool isStaveLinePitch(const CScoreLine& line, int32_t pitch) {
    if (line.flags & LineFlag::Conventional) {
        if (pitch == 60) return false;
        static constexpr bool kLine[24] = {0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0,
                                           1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1};
        return kLine[floorMod(pitch, 24)];
    }
    return isBlackKey(pitch);
}

}  // namespace ks
