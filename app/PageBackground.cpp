#include "app/PageBackground.h"

namespace ks {

namespace {

// The margin edges of Layout mode and the inch grid: screen only.
void paintScreenGuides(CDrawContext& ctx) {
    const PageGeometry& g = ctx.page;
    const QRect inside(QPoint(g.left(), g.top()), QPoint(g.right(), g.bottom()));
    if (ctx.view.mode == ViewMode::Layout) {
        const Pen dotted{Qt::black, 1, PenStyle::Dotted};
        const int reach = ctx.units(4);
        ctx.surface.drawLine({inside.left() - reach, inside.top()},
                             {inside.right() + reach, inside.top()}, dotted);
        ctx.surface.drawLine({inside.left() - reach, inside.bottom()},
                             {inside.right() + reach, inside.bottom()}, dotted);
        ctx.surface.drawLine({inside.left(), inside.top() - reach},
                             {inside.left(), inside.bottom() + reach}, dotted);
        ctx.surface.drawLine({inside.right(), inside.top() - reach},
                             {inside.right(), inside.bottom() + reach}, dotted);
    }
    if (ctx.view.grid) {
        const Pen dotted{ctx.grid, 1, PenStyle::Dotted};
        for (int x = (inside.left() / 1000 + 1) * 1000; x < inside.right(); x += 1000)
            ctx.surface.drawLine({x, inside.top()}, {x, inside.bottom()}, dotted);
        for (int y = (inside.top() / 1000 + 1) * 1000; y < inside.bottom(); y += 1000)
            ctx.surface.drawLine({inside.left(), y}, {inside.right(), y}, dotted);
        const Pen border{ctx.grid, 10, PenStyle::Solid};
        ctx.surface.drawPolyline({inside.topLeft(), inside.topRight(), inside.bottomRight(),
                                  inside.bottomLeft(), inside.topLeft()},
                                 border);
    }
}

}  // namespace

void paintPageContents(CDrawContext& ctx) {
    ctx.surface.fillRect(QRect(0, 0, ctx.page.width, ctx.page.height), ctx.pageSurround);
    if (ctx.surface.isScreen() && ctx.view.pageOrLayout()) paintScreenGuides(ctx);
}

}  // namespace ks
