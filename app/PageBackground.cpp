#include "app/PageBackground.h"

#include "render/draw/Drawing.h"

namespace ks {

void paintPageContents(CDrawContext& ctx) {
    // On the screen the page takes the margin colour; the drawing adds the rest.
    ctx.surface.fillRect(QRect(0, 0, ctx.page.width, ctx.page.height), ctx.pageSurround);
    DrawPage(ctx);
}

}  // namespace ks
