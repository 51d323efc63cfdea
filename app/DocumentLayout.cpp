#include "app/DocumentLayout.h"

#include "render/layout/FullRelayout.h"
#include "render/layout/PrinterRecord.h"
#include "render/output/PageImage.h"

namespace ks {

PageGeometry documentPage(const CPrinterSettings& printer) {
    return pageGeometryFor(printer);
}

void layOutDocument(CScore& score, const CPrinterSettings& printer) {
    // The unit follows the font size, which the display settings change.
    const double u = measuredUnit(score);
    if (u > 0) score.unit = u;
    fullRelayout(score, documentPage(printer));
    // Bars, bar lines, voltas or the length may have changed.
    score.rebuildPlaybackMap();
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
