#include <algorithm>

#include "render/draw/Drawing.h"
#include "render/draw/PageFurniture.h"

namespace ks {

namespace {

// Lines whose stave and surroundings lie outside the visible area (a screen showing
// part of the page) are left out; printers and exports see the whole page.
bool lineMayBeVisible(const CDrawContext& ctx, const CScoreLine& line) {
    const QRect visible = ctx.surface.visibleArea();
    const int64_t above = int64_t(line.staveTop) - ctx.units(line.spaceAbove + 16.0);
    const int64_t below = int64_t(line.staveBottom) + ctx.units(line.spaceBelow + 16.0);
    return below >= visible.top() && above <= visible.bottom();
}

}  // namespace

void DrawPage(CDrawContext& ctx) {
    // A page the layout does not have is not drawn (page 0 of a score without any pages
    // still shows its titles).
    const int pages = static_cast<int>(ctx.score.pages.size());
    if (ctx.view.page < 0 || (ctx.view.page > 0 && ctx.view.page >= pages)) return;
    drawScreenGuides(ctx);
    drawPageFurniture(ctx);
    const CScorePage& page = ctx.score.page(ctx.view.page);
    const int lines = static_cast<int>(ctx.score.lines.size());
    const int first = std::clamp(page.firstLine, 0, lines);
    const int end =
        static_cast<int>(std::clamp<int64_t>(int64_t(first) + page.lineCount, first, lines));
    for (int i = first; i < end; ++i) {
        const CScoreLine& line = ctx.score.line(i);
        if (line.page != ctx.view.page || !lineMayBeVisible(ctx, line)) continue;
        // Marked so that a recording can tell the same bar or chord on two lines apart.
        ctx.surface.beginElement(QStringLiteral("line"), i);
        DrawLine(ctx, i);
        DrawChords(ctx, i);
        DrawEvents(ctx, i);
        ctx.surface.endElement();
    }
}

}  // namespace ks
