#include <algorithm>

#include "render/StaveGeometry.h"
#include "render/draw/BarFurniture.h"

namespace ks {

void drawVoltaBrackets(CDrawContext& ctx, int barIndex, const CScoreLine& line) {
    const CScoreBar& bar = ctx.score.bar(barIndex);
    const Pen pen{.colour = Qt::black, .width = ctx.w};
    for (size_t v = 0; v < ctx.score.voltamarks.size(); ++v) {
        const CScoreVolta& volta = ctx.score.voltamarks[v];
        if (barIndex < volta.startbar || barIndex > volta.endbar) continue;
        const int32_t h = pitchToY(line, ctx.u, staveTopPitch(line, ctx.range()) + 6);
        const int32_t top = h - ctx.units(3.5);
        const int32_t left = bar.left;
        int32_t right = std::min(bar.right, line.right);
        ctx.surface.beginElement(QStringLiteral("volta"), static_cast<int>(v));
        if (barIndex == volta.startbar) {
            ctx.surface.drawLine({left, h}, {left, top}, pen);
            ctx.surface.drawText({left + ctx.units(2), top}, volta.caption, ctx.smallText,
                                 Qt::black, TextAlign::Left | TextAlign::Top);
        }
        const bool closedEnd = barIndex == volta.endbar && volta.type == VoltaType::Closed;
        if (closedEnd) right -= ctx.units(2);
        ctx.surface.drawLine({left, top}, {right, top}, pen);
        if (closedEnd) ctx.surface.drawLine({right, top}, {right, h}, pen);
        ctx.surface.endElement();
    }
}

}  // namespace ks
