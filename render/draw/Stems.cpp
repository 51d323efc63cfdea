#include "Stems.h"

namespace ks {

Pen stemPen(const CDrawContext& ctx, const ChordGeometry& c) {
    return Pen{.colour = c.allGrey ? CDrawContext::grey() : QColor(Qt::black), .width = ctx.w};
}

void drawStem(CDrawContext& ctx, const ChordGeometry& c, int32_t end) {
    ctx.surface.drawLine(QPoint(c.stemX, c.stemStart), QPoint(c.stemX, end), stemPen(ctx, c));
}

void drawStemAndFlags(CDrawContext& ctx, const ChordGeometry& c) {
    if (!c.value.stem || c.heads.isEmpty()) return;
    drawStem(ctx, c, c.stemEnd);
    const char16_t flag = c.up ? c.value.flagUp : c.value.flagDown;
    if (flag == 0) return;
    const QColor colour = stemPen(ctx, c).colour;
    const int32_t x = c.up ? c.stemX : c.stemX - ctx.w / 2;
    const int32_t step = c.up ? ctx.units(2) : -ctx.units(2);
    for (int k = 0; k < c.value.flags; ++k)
        ctx.surface.drawText(QPoint(x, c.stemEnd + k * step), glyphText(flag), ctx.largeMusic,
                             colour, TextAlign::Left + TextAlign::Top);
}

}  // namespace ks
