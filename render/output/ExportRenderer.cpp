#include "ExportRenderer.h"

#include <QPainter>
#include <algorithm>

#include "render/ColourScheme.h"
#include "render/draw/DrawContext.h"
#include "render/draw/Drawing.h"
#include "render/output/ExportResolution.h"
#include "render/surface/PainterSurface.h"

namespace ks {

ExportRenderer::ExportRenderer(const CScore& score, const PageGeometry& page, int dpi,
                               const QString& fileName)
    : score_(score),
      page_(page),
      dpi_(dpi),
      fileName_(fileName),
      size_(exportPixelSize(page, dpi)) {}

int ExportRenderer::pageCount() const {
    return std::max(1, static_cast<int>(score_.pages.size()));
}

bool ExportRenderer::sizeAllowed() const {
    return exportSizeAllowed(size_);
}

bool ExportRenderer::render(int index) {
    if (index < 0 || index >= pageCount() || !sizeAllowed()) return false;
    if (image_.isNull()) {
        image_ = QImage(size_, QImage::Format_RGB32);
        if (image_.isNull()) return false;
    }
    image_.fill(colourFromRef(score_.prefs.paper));
    QPainter painter(&image_);
    {
        PainterSurface surface(CSurface::Kind::Export, painter, exportPixelsPerUnit(dpi_));
        CViewState view;
        view.mode = ViewMode::Page;
        view.page = index;
        view.fileName = fileName_;
        CDrawContext ctx(surface, score_, view, page_);
        DrawPage(ctx);
    }
    return painter.end();
}

}  // namespace ks
