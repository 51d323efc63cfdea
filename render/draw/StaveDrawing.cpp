// DrawLine: the stave of one line with its keyboard guides, bar lines, the per-bar
// extensions beyond the stave, the closing vertical lines and the stave-start brace.
#include <algorithm>

#include "render/layout/TickMapping.h"
#include "render/draw/BarLines.h"
#include "render/draw/Drawing.h"
#include "render/draw/KeyboardGuides.h"
#include "render/draw/LineGeometry.h"
#include "render/draw/ShownChords.h"
#include "render/draw/StaveLines.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

struct Span {
    int32_t from = 0;
    int32_t to = 0;
    bool empty() const { return to < from; }
};

// On screen only the visible part (and a margin of 4 units) is drawn.
Span horizontalSpan(const CDrawContext& ctx, const LineGeometry& g) {
    Span s{g.x0, g.x1};
    if (!ctx.surface.isScreen()) return s;
    const QRect visible = ctx.surface.visibleArea();
    const int32_t margin = ctx.units(4);
    s.from = std::max(s.from, visible.left() - margin);
    s.to = std::min(s.to, visible.right() + margin);
    return s;
}

// Colour mode 1: each octave's band of the stave on a background of its colour.
void shadeOctaves(CDrawContext& ctx, const LineGeometry& g, Span span) {
    const int32_t firstOctave = g.bottomPitch / 12;
    const int32_t lastOctave = g.topPitch / 12;
    for (int32_t o = firstOctave; o <= lastOctave; ++o) {
        const int32_t low = o * 12, high = o * 12 + 11;
        int32_t top =
            high >= g.topPitch ? g.topLineY : (g.y(high, ctx.u) + g.y(high + 1, ctx.u)) / 2;
        int32_t bottom =
            low <= g.bottomPitch ? g.bottomLineY : (g.y(low, ctx.u) + g.y(low - 1, ctx.u)) / 2;
        top = std::max(top, g.topLineY);
        bottom = std::min(bottom, g.bottomLineY);
        if (bottom <= top) continue;
        ctx.surface.fillRect(QRect(span.from, top, span.to - span.from, bottom - top),
                             fade(octaveColour(o * 12), 3));
    }
}

void drawStaveLines(CDrawContext& ctx, const LineGeometry& g, Span span) {
    const bool guides = ctx.switches.keyboardGuides && !g.conventional;
    for (int32_t p = g.bottomPitch; p <= g.topPitch; ++p) {
        if (skippedOutsideDefault(ctx, g, p) || !IsStaveLine(p, g.conventional)) continue;
        const Pen pen = StaveLinePen(ctx, p);
        const int32_t y = g.y(p, ctx.u);
        if (!guides || pen.style == PenStyle::Dashed)
            ctx.surface.drawLine(QPoint(span.from, y), QPoint(span.to, y), pen);
        else
            drawBlackKey(ctx, g, y, span.from, span.to, pen);
    }
}

// "Extend Stave on Affected Bars": a bar whose notes go beyond the default range draws
// the stave lines out to the black-key group of its outermost notes, across the bar
// only (in the first bar of a line from just before its first note, clear of the clef).
void drawBarExtension(CDrawContext& ctx, const LineGeometry& g, int32_t barIndex) {
    const CScoreBar& bar = ctx.score.bar(barIndex);
    const StaveRange r = ctx.range();
    if (bar.pitchHigh <= r.top && bar.pitchLow >= r.bottom) return;
    int32_t from = bar.left;
    if (barIndex == g.firstBar && (bar.flags & BarFlag::Clef)) {
        const int32_t first = firstNoteTickInBar(ctx.score, barIndex);
        if (first >= 0) from = tickToX(bar, first, ctx.u) - ctx.units(2);
    }
    auto draw = [&](int32_t p) {
        if (!IsStaveLine(p, false)) return;
        const int32_t y = g.y(p, ctx.u);
        ctx.surface.drawLine(QPoint(from, y), QPoint(bar.right, y), StaveLinePen(ctx, p));
    };
    if (bar.pitchHigh > r.top)
        for (int32_t p = groupTop(bar.pitchHigh); p > r.top; --p)
            draw(p);
    if (bar.pitchLow < r.bottom)
        for (int32_t p = groupBottom(bar.pitchLow); p < r.bottom; ++p)
            draw(p);
}

bool extendsOnAffectedBars(const CDrawContext& ctx, const LineGeometry& g) {
    return ctx.score.prefs.extendmode == ExtendMode::AffectedBars && !g.onlyUsed && !g.conventional;
}

void drawBars(CDrawContext& ctx, const LineGeometry& g) {
    const bool extend = extendsOnAffectedBars(ctx, g);
    for (int32_t b = g.firstBar; b < g.endBar; ++b) {
        const CScoreBar& bar = ctx.score.bar(b);
        ctx.surface.beginElement(QStringLiteral("bar"), b);
        DrawBarLine(ctx, g, bar.styleLeft, bar.left, +1);
        DrawBarLine(ctx, g, bar.styleRight, bar.right, -1);
        ctx.surface.endElement();
        DrawBarFurniture(ctx, b, g.index);
        if (extend) {
            ctx.surface.beginElement(QStringLiteral("bar"), b);
            drawBarExtension(ctx, g, b);
            ctx.surface.endElement();
        }
    }
}

// The brace before the stave: its em spans the default stave from its top line to
// its bottom line, hand gap included.
void drawStaveStart(CDrawContext& ctx, const LineGeometry& g) {
    const int32_t type = ctx.score.prefs.stavetype;
    if (ctx.switches.keyboardGuides || type == 2) return;
    const StaveRange r = ctx.range();
    const bool fullStave = g.topPitch >= r.top - 1 && g.bottomPitch <= r.bottom;
    if (g.onlyUsed && !isConventionalStaveType(type) && !fullStave) return;
    const bool reduced = (g.line.flags & LineFlag::ReducedSpacing) != 0;
    int32_t size = reduced ? 33 : 38, pitch = 76;
    if (g.conventional) {
        size = 20;
        pitch = 78;
    } else if (type == 1) {
        size = reduced ? 21 : 24;
        pitch = 71;
    }
    const FontSpec font{.family = ctx.music.family,
                        .height = -CDrawContext::round((size + g.line.handGap) * ctx.u),
                        .width = 150};
    const QString brace = glyphText(glyph::StaveStart);
    const int32_t width = CDrawContext::round(ctx.surface.measure(font, brace).width);
    ctx.surface.drawText(QPoint(g.x0 - ctx.w - width, g.y(pitch - 1, ctx.u)), brace, font,
                         Qt::black, TextAlign::Left + TextAlign::Top);
}

void drawVerticals(CDrawContext& ctx, const LineGeometry& g) {
    const Pen pen{.colour = Qt::black, .width = ctx.w};
    ctx.surface.drawLine(QPoint(g.x0, g.topLineY), QPoint(g.x0, g.bottomLineY), pen);
    ctx.surface.drawLine(QPoint(g.x1, g.topLineY), QPoint(g.x1, g.bottomLineY), pen);
    if (ctx.switches.keyboardGuides && !g.conventional) drawKeyboardOutlines(ctx, g);
}

}  // namespace

void DrawLine(CDrawContext& ctx, int line) {
    if (!lineOnDrawnPage(ctx, ctx.lineRecord(line))) return;
    const LineGeometry g = lineGeometry(ctx, line);
    const Span span = horizontalSpan(ctx, g);
    ctx.surface.beginElement(QStringLiteral("stave"), line);
    if (!span.empty()) {
        if (ctx.switches.shadeBackground && !g.conventional) shadeOctaves(ctx, g, span);
        drawStaveLines(ctx, g, span);
    }
    ctx.surface.endElement();
    drawBars(ctx, g);
    ctx.surface.beginElement(QStringLiteral("stave"), line);
    drawVerticals(ctx, g);
    drawStaveStart(ctx, g);
    ctx.surface.endElement();
}

}  // namespace ks
