#include "KeyboardGuides.h"

#include "render/layout/LayoutMath.h"

namespace ks {

void drawBlackKey(CDrawContext& ctx, const LineGeometry& g, int32_t y, int32_t fromX, int32_t toX,
                  const Pen& pen) {
    const int32_t reach = ctx.units(kKeyboardWidth);
    ctx.surface.drawLine(QPoint(fromX - reach, y), QPoint(toX + reach, y), pen);
    const int32_t half = ctx.units(0.5);
    const int32_t leftStart = g.x0 - reach;
    const int32_t leftEnd = leftStart + ctx.units(kBlackKeyLength);
    const int32_t rightEnd = g.x1 + reach - ctx.units(kKeyboardWidth - kBlackKeyLength);
    ctx.surface.fillRect(QRect(leftStart, y - half, leftEnd - leftStart, 2 * half), pen.colour);
    ctx.surface.fillRect(QRect(g.x1, y - half, rightEnd - g.x1, 2 * half), pen.colour);
}

void drawKeyboardOutlines(CDrawContext& ctx, const LineGeometry& g) {
    const Pen pen{.colour = Qt::black, .width = ctx.w};
    const int32_t reach = ctx.units(kKeyboardWidth);
    const int32_t outerLeft = g.x0 - reach;
    const int32_t outerRight = g.x1 + reach;
    ctx.surface.drawLine(QPoint(outerLeft, g.topLineY), QPoint(outerLeft, g.bottomLineY), pen);
    ctx.surface.drawLine(QPoint(outerRight, g.topLineY), QPoint(outerRight, g.bottomLineY), pen);
    // E-F and B-C borders, halfway between the two keys.
    for (int32_t p = g.bottomPitch; p < g.topPitch; ++p) {
        const int32_t pc = floorMod(p, 12);
        if (pc != 4 && pc != 11) continue;
        const int32_t y = (g.y(p, ctx.u) + g.y(p + 1, ctx.u)) / 2;
        if (y < g.topLineY || y > g.bottomLineY) continue;
        ctx.surface.drawLine(QPoint(outerLeft, y), QPoint(g.x0, y), pen);
        ctx.surface.drawLine(QPoint(g.x1, y), QPoint(outerRight, y), pen);
    }
}

}  // namespace ks
