#include "app/DocumentLayout.h"

#include "render/FullRelayout.h"
#include "render/PrinterRecord.h"
#include "render/surface/FontMetricsEngine.h"
#include "resources/MusicFont.h"

namespace ks {

PageGeometry documentPage(const CPrinterSettings& printer) {
    return pageGeometryFor(printer);
}

double measuredUnit(int32_t fontsize) {
    const FontSpec music{.family = QString::fromLatin1(kMusicFontFamily),
                         .height = -std::max(fontsize, kMinFontSize)};
    return FontMetricsEngine::instance().cellHeight(music) / 2.3333;
}

void layOutDocument(CScore& score, const CPrinterSettings& printer) {
    const double u = measuredUnit(score.prefs.fontsize);
    if (u > 0) score.unit = u;
    fullRelayout(score, documentPage(printer));
}

int documentOrientation(const CPrinterSettings& printer) {
    const DevModeRecord record(printer.devmode);
    return record.orientation() == Orientation::Landscape ? 2 : 1;
}

void setDocumentOrientation(CPrinterSettings& printer, int orientation) {
    DevModeRecord record(printer.devmode);
    record.setOrientation(orientation == 2 ? Orientation::Landscape : Orientation::Portrait);
    printer.devmode = record.bytes();
}

}  // namespace ks
