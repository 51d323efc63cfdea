#include "PageImage.h"

#include <QPainter>

#include "render/ColourScheme.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/LayoutMath.h"
#include "render/draw/DrawContext.h"
#include "render/draw/Drawing.h"
#include "render/surface/PainterSurface.h"
#include "render/surface/RecordingSurface.h"
#include "resources/MusicFont.h"

namespace ks {

namespace {

// The music font's cell holds 2.3333 stave units.
constexpr double kCellUnits = 2.3333;

}  // namespace

double measuredUnit(const CScore& score) {
    const RecordingSurface probe;
    const FontSpec music{.family = QString::fromLatin1(kMusicFontFamily),
                         .height = -std::max(score.prefs.fontsize, 1)};
    return probe.cellHeight(music) / kCellUnits;
}

void layoutForExport(CScore& score, const PageGeometry& page) {
    if (!setLayoutUnit(score, measuredUnit(score), page) && score.pages.empty())
        fullRelayout(score, page);
}

QSize pageImageSize(const PageGeometry& page, int dpi) {
    return QSize(roundToInt(page.width * (dpi / 1000.0)), roundToInt(page.height * (dpi / 1000.0)));
}

QImage renderPageImage(const CScore& score, const PageGeometry& page, int pageIndex, int dpi,
                       const QString& fileName) {
    if (dpi < kMinExportDpi || dpi > kMaxExportDpi) return {};
    if (pageIndex < 0 || pageIndex >= static_cast<int>(score.pages.size())) return {};
    const QSize size = pageImageSize(page, dpi);
    if (size.isEmpty()) return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.setDotsPerMeterX(roundToInt(dpi * 10000.0 / 254.0));
    image.setDotsPerMeterY(roundToInt(dpi * 10000.0 / 254.0));
    image.fill(colourFromRef(score.prefs.paper));
    QPainter painter(&image);
    {
        PainterSurface surface(CSurface::Kind::Export, painter, dpi / 1000.0);
        CViewState view;
        view.mode = ViewMode::Page;
        view.page = pageIndex;
        view.fileName = fileName;
        CDrawContext ctx(surface, score, view, page);
        DrawPage(ctx);
    }
    painter.end();
    return image;
}

}  // namespace ks
