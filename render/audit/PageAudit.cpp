#include "PageAudit.h"

#include "render/draw/Drawing.h"
#include "render/surface/RecordingSurface.h"

namespace ks {

std::vector<Collision> auditPage(const CScore& score, const PageGeometry& page, int pageIndex) {
    if (pageIndex < 0 || pageIndex >= static_cast<int>(score.pages.size())) return {};
    RecordingSurface surface(CSurface::Kind::Export);
    CViewState view;
    view.mode = ViewMode::Page;
    view.page = pageIndex;
    CDrawContext ctx(surface, score, view, page);
    DrawPage(ctx);
    return findCollisions(drawnBoxes(surface.items()));
}

}  // namespace ks
