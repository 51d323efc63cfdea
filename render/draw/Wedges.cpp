#include "Wedges.h"

#include <algorithm>

#include "render/layout/LayoutMath.h"
#include "render/draw/EventDrawing.h"

namespace ks {

namespace {

constexpr double kWedgeHeight = 5;       // units
constexpr double kOpenNarrowEnd = 0.75;  // half the opening of a continued narrow end

// The ticks a wedge covers, kept inside the laid-out bars.
struct WedgeTicks {
    int32_t start = 0;
    int32_t end = 0;
};

WedgeTicks wedgeTicks(const CDrawContext& ctx, const CEvent& wedge) {
    const int64_t scoreEnd = ctx.score.bars.empty()
                                 ? 0
                                 : int64_t(ctx.score.bars.back().startTick) +
                                       std::max(ctx.score.bars.back().lengthTicks, 0);
    const int64_t end = int64_t(wedge.time) + std::max(wedge.data[0], 0);
    return {wedge.time, saturate(std::min(end, std::max<int64_t>(scoreEnd, wedge.time)))};
}

CrescendoSlice sliceOn(const CDrawContext& ctx, int lineIndex, int32_t from, int32_t to,
                       bool holdsStart, bool holdsEnd) {
    const LineSpan span = lineSpan(ctx, ctx.lineRecord(lineIndex));
    int bar = barOnLine(ctx, span, from);
    if (bar < 0) bar = barOnLine(ctx, span, from, true);
    const int32_t barStart = ctx.score.bar(bar).startTick;
    return {.bar = bar,
            .startOffset = from - barStart,
            .endOffset = to - barStart,
            .line = lineIndex,
            .page = ctx.view.lines.empty() ? ctx.lineRecord(lineIndex).page : 0,
            .holdsStart = holdsStart,
            .holdsEnd = holdsEnd};
}

}  // namespace

std::vector<CrescendoSlice> crescendoSlices(const CDrawContext& ctx, const CEvent& wedge) {
    const WedgeTicks t = wedgeTicks(ctx, wedge);
    const int first = lineOfTick(ctx, t.start);
    if (first < 0) return {};
    if (!ctx.view.pageOrLayout() || t.end <= t.start)
        return {sliceOn(ctx, first, t.start, std::max(t.end, t.start), true, true)};
    int last = lineOfTick(ctx, t.end, true);
    if (last < first) last = first;
    std::vector<CrescendoSlice> slices;
    for (int l = first; l <= last; ++l) {
        const LineSpan span = lineSpan(ctx, ctx.lineRecord(l));
        const int32_t from = l == first ? t.start : span.startTick;
        const int32_t to = l == last ? t.end : span.endTick;
        slices.push_back(sliceOn(ctx, l, from, to, l == first, l == last));
    }
    return slices;
}

void drawWedge(CDrawContext& ctx, const DrawnEvent& e) {
    const bool crescendo = e.event.type == EventType::Crescendo;
    for (const CrescendoSlice& slice : crescendoSlices(ctx, e.event)) {
        if (slice.line != e.lineIndex) continue;
        if (ctx.view.pageOrLayout() && slice.page != ctx.view.page) continue;
        const CScoreBar& bar = ctx.score.bar(slice.bar);
        const int32_t from = saturate(int64_t(bar.startTick) + slice.startOffset);
        const int32_t to = saturate(int64_t(bar.startTick) + slice.endOffset);
        const double x0 = slice.holdsStart ? tickX(ctx, barOnLine(ctx, e.span, from), from)
                                           : tickX(ctx, e.span.firstBar, e.span.startTick);
        double x1 = double(e.line.right) - ctx.step;
        if (slice.holdsEnd) x1 = to > from ? tickX(ctx, barOnLine(ctx, e.span, to, true), to) : x0;
        const double top = fractionalPitchToY(e.line, ctx.u, e.event.pitch);
        const int32_t height = ctx.units(kWedgeHeight);
        const double bottom = top + height;
        const double middle = top + height / 2 + ctx.units(1.0 / 6);
        const bool selected = ctx.view.isSelected(e.track, e.index);
        const Pen pen{.colour = selected ? QColor(255, 0, 0) : partColour(ctx, e.part),
                      .width = std::max(1, ctx.units(1 / 2.5))};
        ctx.surface.beginElement(eventElementKind(e.track), e.index);
        if (slice.holdsStart && slice.holdsEnd && x1 <= x0) {
            // A wedge of no length: nothing but its point.
            ctx.surface.drawLine(pagePoint(x0, middle), pagePoint(x0, middle), pen);
        } else {
            // The wide end opens to the full height; the narrow end closes to a point
            // only where the wedge really ends narrow.
            const double wide = crescendo ? x1 : x0;
            const double narrow = crescendo ? x0 : x1;
            const bool point = crescendo ? slice.holdsStart : slice.holdsEnd;
            const int32_t open = point ? 0 : ctx.units(kOpenNarrowEnd);
            if (point) {
                ctx.surface.drawPolyline(
                    {pagePoint(wide, top), pagePoint(narrow, middle), pagePoint(wide, bottom)},
                    pen);
            } else {
                ctx.surface.drawLine(pagePoint(wide, top), pagePoint(narrow, middle - open), pen);
                ctx.surface.drawLine(pagePoint(narrow, middle + open), pagePoint(wide, bottom),
                                     pen);
            }
        }
        ctx.surface.endElement();
        addHitRect(ctx, e, pageRect(x0, top, x1, bottom), coord(x0));
    }
}

}  // namespace ks
