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

namespace {

// Where a piece of a wedge starts and ends on its line.
struct PieceExtent {
    double x0 = 0;
    double x1 = 0;
    double length() const { return std::max(0.0, x1 - x0); }
};

PieceExtent pieceExtent(const CDrawContext& ctx, const CrescendoSlice& slice) {
    const CScoreLine& line = ctx.lineRecord(slice.line);
    const LineSpan span = lineSpan(ctx, line);
    const CScoreBar& bar = ctx.score.bar(slice.bar);
    const int32_t from = saturate(int64_t(bar.startTick) + slice.startOffset);
    const int32_t to = saturate(int64_t(bar.startTick) + slice.endOffset);
    const double x0 = slice.holdsStart ? tickX(ctx, barOnLine(ctx, span, from), from)
                                       : tickX(ctx, span.firstBar, span.startTick);
    double x1 = double(line.right) - ctx.step;
    if (slice.holdsEnd) x1 = to > from ? tickX(ctx, barOnLine(ctx, span, to, true), to) : x0;
    return {x0, x1};
}

// How far a piece's two ends open, as shares of the full opening: the wedge opens
// evenly along its whole length, so a piece on a new line goes on from the opening the
// piece before it reached.
struct PieceOpening {
    double narrow = 0;
    double wide = 1;
};

std::vector<PieceOpening> pieceOpenings(const std::vector<PieceExtent>& pieces,
                                        bool crescendo) {
    double total = 0;
    for (const PieceExtent& p : pieces)
        total += p.length();
    std::vector<PieceOpening> out(pieces.size());
    if (total <= 0) return out;
    double before = 0;  // length of the pieces nearer the wedge's narrow end
    for (size_t k = 0; k < pieces.size(); ++k) {
        const size_t i = crescendo ? k : pieces.size() - 1 - k;
        out[i] = {before / total, (before + pieces[i].length()) / total};
        before += pieces[i].length();
    }
    return out;
}

}  // namespace

void drawWedge(CDrawContext& ctx, const DrawnEvent& e) {
    const bool crescendo = e.event.type == EventType::Crescendo;
    const std::vector<CrescendoSlice> slices = crescendoSlices(ctx, e.event);
    std::vector<PieceExtent> extents;
    extents.reserve(slices.size());
    for (const CrescendoSlice& slice : slices)
        extents.push_back(pieceExtent(ctx, slice));
    const std::vector<PieceOpening> openings = pieceOpenings(extents, crescendo);
    for (size_t i = 0; i < slices.size(); ++i) {
        const CrescendoSlice& slice = slices[i];
        if (slice.line != e.lineIndex) continue;
        if (ctx.view.pageOrLayout() && slice.page != ctx.view.page) continue;
        const double x0 = extents[i].x0;
        const double x1 = extents[i].x1;
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
            // The wide end opens as far as the wedge has reached there; the narrow end
            // closes to a point only where the wedge really ends narrow, and elsewhere
            // stays open at least a little.
            const double wide = crescendo ? x1 : x0;
            const double narrow = crescendo ? x0 : x1;
            const bool point = crescendo ? slice.holdsStart : slice.holdsEnd;
            const PieceOpening o = openings[i];
            const double wideTop = middle - (middle - top) * o.wide;
            const double wideBottom = middle + (bottom - middle) * o.wide;
            if (point) {
                ctx.surface.drawPolyline({pagePoint(wide, wideTop), pagePoint(narrow, middle),
                                          pagePoint(wide, wideBottom)},
                                         pen);
            } else {
                const double least = ctx.units(kOpenNarrowEnd);
                const double above = std::max(least, (middle - top) * o.narrow);
                const double below = std::max(least, (bottom - middle) * o.narrow);
                ctx.surface.drawLine(pagePoint(wide, wideTop), pagePoint(narrow, middle - above),
                                     pen);
                ctx.surface.drawLine(pagePoint(narrow, middle + below),
                                     pagePoint(wide, wideBottom), pen);
            }
        }
        ctx.surface.endElement();
        addHitRect(ctx, e, pageRect(x0, top, x1, bottom), coord(x0));
    }
}

}  // namespace ks
