#include "PrintedPage.h"

#include <algorithm>

#include "render/ColourScheme.h"
#include "render/layout/FullRelayout.h"
#include "render/draw/DrawContext.h"
#include "render/draw/Drawing.h"
#include "render/output/PageImage.h"
#include "render/output/PrintMargins.h"
#include "render/surface/PainterSurface.h"

namespace ks {

namespace {

// Title and subtitle span the whole width between the margins.
void stretchTitleBoxes(CScore& score, const PageGeometry& page) {
    for (CTextBox* box : {&score.titleBox, &score.subtitleBox}) {
        box->left = page.left();
        box->right = page.right();
    }
}

}  // namespace

void drawPaperPage(QPainter& painter, const CScore& score, const PageGeometry& page, int index,
                   double devicePerUnit, CSurface::Kind kind, const QString& fileName) {
    const double scale = devicePerUnit > 0 ? devicePerUnit : 1.0;
    painter.fillRect(QRectF(0, 0, page.width * scale, page.height * scale),
                     colourFromRef(score.prefs.paper));
    PainterSurface surface(kind, painter, scale);
    CViewState view;
    view.mode = ViewMode::Page;
    view.page = index;
    view.fileName = fileName;
    CDrawContext ctx(surface, score, view, page);
    DrawPage(ctx);
}

PrintedPages::PrintedPages(const CScore& score, const PageGeometry& page, const QString& fileName,
                           CSurface::Kind kind)
    : score_(score), page_(page), fileName_(fileName), kind_(kind) {
    stretchTitleBoxes(score_, page_);
    score_.unit = measuredUnit(score_);
    fullRelayout(score_, page_);
}

int PrintedPages::pageCount() const {
    return std::max(1, static_cast<int>(score_.pages.size()));
}

void PrintedPages::draw(QPainter& painter, int printedPage, double devicePerUnit) const {
    drawPaperPage(painter, score_, page_, printedPageIndex(printedPage, pageCount()), devicePerUnit,
                  kind_, fileName_);
}

}  // namespace ks
