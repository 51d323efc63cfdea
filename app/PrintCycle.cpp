#include "app/PrintCycle.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "render/layout/LayoutMath.h"
#include "render/output/ExportTextIds.h"
#include "render/surface/PainterSurface.h"
#include "storage/DocumentPrompts.h"

namespace ks {

namespace {

double devicePerUnit(const QPrinter& printer) {
    return printer.resolution() / 1000.0;
}

bool sameStrips(const UnprintableStrips& a, const UnprintableStrips& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

StoredPrinterChoice preparePrinter(QPrinter& printer, const CPrinterSettings& settings,
                                   const QStringList& installed) {
    const StoredPrinterChoice choice = storedPrinterChoice(settings, installed);
    if (choice.storedPrinterUsed) printer.setPrinterName(choice.printer);
    printer.setFullPage(true);
    printer.setPageLayout(withStoredPaper(printer.pageLayout(), choice));
    printer.setFullPage(true);
    return choice;
}

UnprintableStrips unprintableStrips(const QPrinter& printer) {
    const QMarginsF m = printer.pageLayout().minimumMargins();
    const double toThou = [&] {
        switch (printer.pageLayout().units()) {
            case QPageLayout::Millimeter:
                return 1000.0 / 25.4;
            case QPageLayout::Point:
                return 1000.0 / 72.0;
            case QPageLayout::Inch:
                return 1000.0;
            case QPageLayout::Pica:
                return 1000.0 / 6.0;
            case QPageLayout::Didot:
                return 1000.0 / 67.54;
            case QPageLayout::Cicero:
                return 1000.0 / 5.628;
        }
        return 1000.0 / 72.0;
    }();
    return {roundToInt(m.left() * toThou), roundToInt(m.top() * toThou),
            roundToInt(m.right() * toThou), roundToInt(m.bottom() * toThou)};
}

PrintJob::PrintJob(const CScore& score, const PageGeometry& page, const QString& title,
                   IDocumentPrompts& prompts)
    : score_(score), page_(page), title_(title), prompts_(prompts) {}

PrintJob::~PrintJob() = default;

const PrintedPages& PrintJob::pagesFor(const QPrinter& printer) {
    const UnprintableStrips strips = unprintableStrips(printer);
    if (pages_ && sameStrips(strips, strips_)) return *pages_;
    strips_ = strips;
    const MarginCorrection corrected = correctForPrintableArea(page_, strips);
    if (corrected.raised && !told_) {
        told_ = true;
        prompts_.showMessage(OutputTextId::OutsidePrintableArea, {});
    }
    pages_ =
        std::make_unique<PrintedPages>(score_, corrected.page, title_, CSurface::Kind::Printer);
    return *pages_;
}

int PrintJob::pageCount(const QPrinter& printer) {
    return pagesFor(printer).pageCount();
}

std::pair<int, int> PrintJob::pageRange(const QPrinter& printer) {
    const int count = pagesFor(printer).pageCount();
    int first = printer.fromPage();
    int last = printer.toPage();
    if (printer.printRange() != QPrinter::PageRange || first <= 0) {
        first = 1;
        last = count;
    }
    return {first, std::max(first, std::min(last, count))};
}

int PrintJob::pagesToPrint(const QPrinter& printer) {
    const auto [first, last] = pageRange(printer);
    return last - first + 1;
}

bool PrintJob::print(QPrinter& printer, const PageProgress& progress, bool keepDrawn) {
    const PrintedPages& pages = pagesFor(printer);
    const auto [first, last] = pageRange(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    for (int n = first; n <= last; ++n) {
        if (!jobGoesOn(progress, n - first, last - first + 1)) {
            if (keepDrawn) {
                painter.end();
                return false;
            }
            printer.abort();
            painter.end();
            // A print into a file leaves nothing half-written behind.
            if (!printer.outputFileName().isEmpty()) QFile::remove(printer.outputFileName());
            return false;
        }
        if (n > first) printer.newPage();
        pages.draw(painter, n, devicePerUnit(printer));
    }
    return painter.end();
}

bool printAlignmentPage(QPrinter& printer, const PageGeometry& page, const QColor& marginColour,
                        const PrinterAlignment& alignment) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    {
        PainterSurface surface(CSurface::Kind::Printer, painter, devicePerUnit(printer));
        drawAlignmentPage(surface, page, alignmentBandColour(marginColour), alignment);
    }
    return painter.end();
}

}  // namespace ks
