#include "BarLines.h"

#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

// Repeat dots sit 36864/65536 of a pitch step above their pitch, which puts the dot
// (0.5625 u below its cell top) on the pitch's own height.
constexpr int32_t kDotFraction = 36864;

struct DotPitches {
    int32_t upper[2];
    int32_t lower[2];
};

DotPitches dotPitches(const LineGeometry& g) {
    if (g.conventional) return {{70, 73}, {49, 52}};
    return {{67, 69}, {50, 52}};
}

void stroke(CDrawContext& ctx, const LineGeometry& g, int32_t x, const Pen& pen) {
    ctx.surface.drawLine(QPoint(x, g.topLineY), QPoint(x, g.bottomLineY), pen);
}

void thickStroke(CDrawContext& ctx, const LineGeometry& g, int32_t x, int d, const Pen& pen) {
    stroke(ctx, g, x, pen);
    stroke(ctx, g, x + d * (ctx.w / 2), pen);
    stroke(ctx, g, x + d * ctx.w, pen);
}

void repeatDots(CDrawContext& ctx, const LineGeometry& g, int32_t x) {
    const DotPitches dots = dotPitches(g);
    const QString dot = glyphText(glyph::RepeatDot);
    auto draw = [&](int32_t pitch) {
        const int32_t y = fractionalPitchToY(g.line, ctx.u, pitch * 65536 + kDotFraction);
        ctx.surface.drawText(QPoint(x, y), dot, ctx.largeMusic, Qt::black,
                             TextAlign::Centre + TextAlign::Top);
    };
    if (g.upperShown)
        for (int32_t p : dots.upper)
            draw(p);
    if (g.lowerShown && ctx.score.prefs.stavetype != 2)
        for (int32_t p : dots.lower)
            draw(p);
}

}  // namespace

void DrawBarLine(CDrawContext& ctx, const LineGeometry& g, int32_t style, int32_t x,
                 int direction) {
    const int d = direction < 0 ? -1 : 1;
    const Pen pen{.colour = Qt::black, .width = ctx.w};
    const int32_t thin = d * ctx.units(1.5);
    switch (style) {
        case BarStyle::Single:
            stroke(ctx, g, x, pen);
            break;
        case BarStyle::Thick:
            thickStroke(ctx, g, x, d, pen);
            break;
        case BarStyle::Double:
            stroke(ctx, g, x, pen);
            stroke(ctx, g, x + d * ctx.step, pen);
            break;
        case BarStyle::Repeat:
            thickStroke(ctx, g, x, d, pen);
            stroke(ctx, g, x + thin, pen);
            repeatDots(ctx, g, x + 2 * thin);
            break;
        case BarStyle::Final:
            thickStroke(ctx, g, x, d, pen);
            stroke(ctx, g, x + thin, pen);
            break;
        default:
            break;
    }
}

}  // namespace ks
