#include "MusicView.h"

#include <algorithm>

#include "render/draw/Drawing.h"
#include "render/draw/EventPlacement.h"
#include "render/layout/TickMapping.h"

namespace ks {

namespace {

const QColor kCursorFill(40, 90, 255, 48);
const QColor kCursorEdge(40, 90, 255);
const QColor kPicked(255, 0, 0);
const QColor kHighlight(255, 244, 190);

void outline(CDrawContext& ctx, const QRect& r, const Pen& pen) {
    const QVector<QPoint> corners = {r.topLeft(), QPoint(r.right() + 1, r.top()),
                                     QPoint(r.right() + 1, r.bottom() + 1),
                                     QPoint(r.left(), r.bottom() + 1), r.topLeft()};
    ctx.surface.drawPolyline(corners, pen);
}

void drawTrackTitles(CDrawContext& ctx) {
    for (int t = 0; t < ctx.lineCount() && t < ctx.score.trackCount(); ++t) {
        const CScoreLine& line = ctx.lineRecord(t);
        const QRect band = trackBandRect(ctx, t);
        if (t == ctx.score.selection.selecttrack) ctx.surface.fillRect(band, kHighlight);
        FontSpec font = ctx.smallText;
        if (t == ctx.score.selection.selecttrack) font.weight = 700;
        const int x = std::max(ctx.surface.visibleArea().left(), ctx.page.left()) + ctx.units(2);
        ctx.surface.drawText(QPoint(x, band.top() + ctx.units(1)), ctx.score.track(t).title, font,
                             Qt::black, TextAlign::Left + TextAlign::Top);
        (void)line;
    }
}

void drawEditingMarks(CDrawContext& ctx) {
    const CSelection& s = ctx.score.selection;
    // The picked annotations and markers: a red frame around what was drawn for them.
    for (const EventHitRect& hit : ctx.hitRects)
        if (ctx.view.isSelected(hit.track, hit.event))
            outline(
                ctx,
                hit.rect.adjusted(-ctx.units(0.5), -ctx.units(0.5), ctx.units(0.5), ctx.units(0.5)),
                Pen{.colour = kPicked, .width = ctx.w});
    if (ctx.view.showCursor) {
        const QRect box = cursorBoxRect(ctx);
        if (!box.isEmpty()) {
            ctx.surface.fillRect(box, kCursorFill);
            outline(ctx, box, Pen{.colour = kCursorEdge, .width = ctx.w});
            if (s.dragDx != 0 || s.dragDy != 0)
                outline(ctx, box.translated(s.dragDx, s.dragDy),
                        Pen{.colour = kCursorEdge, .width = ctx.w, .style = PenStyle::Dashed});
        }
    }
    if (!ctx.view.rubberBand.isEmpty())
        outline(ctx, ctx.view.rubberBand,
                Pen{.colour = Qt::black, .width = ctx.w, .style = PenStyle::Dashed});
}

}  // namespace

std::vector<CScoreLine> visibleLineParts(const CScore& score, const std::vector<CScoreLine>& lines,
                                         int32_t left, int32_t right) {
    const int64_t slack = std::max<int64_t>((int64_t(right) - left) / 2, 0);
    const int64_t from = int64_t(left) - slack, to = int64_t(right) + slack;
    const auto& bars = score.bars;
    const int n = static_cast<int>(bars.size());
    // Bars are in order along the long line: the first whose right edge reaches `from`
    // and the last whose left edge is not beyond `to`.
    int first = static_cast<int>(
        std::lower_bound(bars.begin(), bars.end(), from,
                         [](const CScoreBar& b, int64_t x) { return b.right < x; }) -
        bars.begin());
    int end = static_cast<int>(
        std::upper_bound(bars.begin(), bars.end(), to,
                         [](int64_t x, const CScoreBar& b) { return x < b.left; }) -
        bars.begin());
    first = std::clamp(first - 1, 0, n);
    end = std::clamp(end + 1, first, n);
    std::vector<CScoreLine> parts = lines;
    for (CScoreLine& line : parts) {
        const int lineEnd = std::clamp(line.firstBar + std::max(line.barsInLine, 0), 0, n);
        const int a = std::clamp(first, line.firstBar, lineEnd);
        const int b = std::clamp(end, a, lineEnd);
        line.firstBar = a;
        line.barsInLine = b - a;
    }
    return parts;
}

int barAtX(const CScore& score, int32_t x) {
    const auto& bars = score.bars;
    if (bars.empty()) return -1;
    auto it = std::upper_bound(bars.begin(), bars.end(), x,
                               [](int32_t v, const CScoreBar& b) { return v < b.left; });
    if (it == bars.begin()) return 0;
    return static_cast<int>(it - bars.begin()) - 1;
}

QRect cursorBoxRect(const CDrawContext& ctx) {
    const CSelection& s = ctx.score.selection;
    if (ctx.score.bars.empty() || ctx.lineCount() == 0) return {};
    const CScoreLine& line = ctx.lineRecord(0);
    const int startBar = std::clamp(ctx.score.barAtTick(s.timestart), 0,
                                    static_cast<int>(ctx.score.bars.size()) - 1);
    const int32_t x0 = tickToX(ctx.score.bar(startBar), s.timestart, ctx.u);
    int32_t x1 = x0 + std::max(CDrawContext::round(ctx.W), ctx.step);
    if (s.timeend > s.timestart + 1) {
        const int endBar = std::clamp(ctx.score.barAtTick(s.timeend - 1), 0,
                                      static_cast<int>(ctx.score.bars.size()) - 1);
        x1 = std::max(
            x1, tickToX(ctx.score.bar(endBar), s.timeend - 1, ctx.u) + CDrawContext::round(ctx.W));
    }
    const int32_t top = std::max(s.pitchlo, s.pitchhi);
    const int32_t bottom = std::min(s.pitchlo, s.pitchhi);
    const int32_t y0 = pitchToY(line, ctx.u, top) - ctx.step;
    const int32_t y1 = pitchToY(line, ctx.u, bottom) + ctx.step;
    return QRect(QPoint(x0, std::min(y0, y1)), QPoint(x1, std::max(y0, y1)));
}

QRect trackBandRect(const CDrawContext& ctx, int track) {
    if (track < 0 || track >= ctx.lineCount()) return {};
    const CScoreLine& line = ctx.lineRecord(track);
    const int32_t top = line.staveTop - ctx.units(line.spaceAbove);
    const int32_t bottom = line.staveBottom + ctx.units(line.spaceBelow);
    const int32_t left = std::min(ctx.page.left(), line.left);
    return QRect(QPoint(left, top), QPoint(line.right, bottom));
}

void DrawMusicView(CDrawContext& ctx) {
    if (ctx.view.mode == ViewMode::TrackSelect) drawTrackTitles(ctx);
    for (int i = 0; i < ctx.lineCount(); ++i) {
        if (ctx.lineRecord(i).barsInLine <= 0) continue;
        DrawLine(ctx, i);
        DrawChords(ctx, i);
        DrawEvents(ctx, i);
    }
    if (ctx.view.mode == ViewMode::Music) drawEditingMarks(ctx);
}

}  // namespace ks
