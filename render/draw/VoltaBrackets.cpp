#include <algorithm>

#include "render/layout/StaveGeometry.h"
#include "render/draw/BarFurniture.h"
#include "render/draw/EventPlacement.h"

namespace ks {

void drawVoltaBrackets(CDrawContext& ctx, int barIndex, const CScoreLine& line) {
    const CScoreBar& bar = ctx.score.bar(barIndex);
    const Pen pen{.colour = Qt::black, .width = ctx.w};
    for (size_t v = 0; v < ctx.score.voltamarks.size(); ++v) {
        const CScoreVolta& volta = ctx.score.voltamarks[v];
        if (barIndex < volta.startbar || barIndex > volta.endbar) continue;
        const double h = pitchToY(line, ctx.u, staveTopPitch(line, ctx.range()) + 6);
        const double top = h - ctx.units(3.5);
        const double left = bar.left;
        double right = std::min(bar.right, line.right);
        ctx.surface.beginElement(QStringLiteral("volta"), static_cast<int>(v));
        if (barIndex == volta.startbar) {
            ctx.surface.drawLine(pagePoint(left, h), pagePoint(left, top), pen);
            ctx.surface.drawText(pagePoint(left + ctx.units(2), top), volta.caption, ctx.smallText,
                                 Qt::black, TextAlign::Left | TextAlign::Top);
        }
        const bool closedEnd = barIndex == volta.endbar && volta.type == VoltaType::Closed;
        if (closedEnd) right -= ctx.units(2);
        ctx.surface.drawLine(pagePoint(left, top), pagePoint(right, top), pen);
        if (closedEnd) ctx.surface.drawLine(pagePoint(right, top), pagePoint(right, h), pen);
        ctx.surface.endElement();
    }
}

}  // namespace ks
