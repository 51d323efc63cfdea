// The print cycle on a printer (or the print preview's printer): the printer prepared
// from the document's stored settings, the margins kept inside the area the printer can
// print, and one page drawn per printed page, with nothing of the editing state.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "render/output/PageJob.h"
#include "render/output/PrintMargins.h"
#include "render/output/PrintedPage.h"
#include "render/output/PrinterAlignment.h"
#include "render/output/PrinterChoice.h"

class QPrinter;

namespace ks {

class IDocumentPrompts;

// Sets up `printer` for the document: the stored printer when it is installed, else the
// system's default printer; the stored orientation and paper, each only where the stored
// printer mode record marks it; the whole paper as the page (the document has its own
// margins). Returns what was taken from the stored settings.
StoredPrinterChoice preparePrinter(QPrinter& printer, const CPrinterSettings& settings,
                                   const QStringList& installed);

// The strips along the paper's edges that `printer` cannot print on, in page units.
UnprintableStrips unprintableStrips(const QPrinter& printer);

// The pages of one print job. The layout for the printer's page is made on first use
// (and again when the printer's page changes, as in the preview); when the margins have
// to be raised to the printable area the user is told, once.
class PrintJob {
  public:
    PrintJob(const CScore& score, const PageGeometry& page, const QString& title,
             IDocumentPrompts& prompts);
    ~PrintJob();

    int pageCount(const QPrinter& printer);
    // The pages print() draws: those of the printer's page range, or all of them.
    int pagesToPrint(const QPrinter& printer);
    // Draws the pages of the printer's page range (every page when it has none).
    // `progress` is told of each page; when it stops the job, the print run is aborted,
    // or with `keepDrawn` (a preview) ended with the pages drawn so far. False when the
    // printer cannot be painted on or the job was stopped.
    bool print(QPrinter& printer, const PageProgress& progress = {}, bool keepDrawn = false);

  private:
    const PrintedPages& pagesFor(const QPrinter& printer);
    // The first and last page (from 1) of the printer's page range.
    std::pair<int, int> pageRange(const QPrinter& printer);

    const CScore& score_;
    PageGeometry page_;
    QString title_;
    IDocumentPrompts& prompts_;
    UnprintableStrips strips_;
    std::unique_ptr<PrintedPages> pages_;
    bool told_ = false;
};

// The alignment view on `printer`: one page, white, with the margin bands of `page` in
// `marginColour` moved by `alignment`.
bool printAlignmentPage(QPrinter& printer, const PageGeometry& page, const QColor& marginColour,
                        const PrinterAlignment& alignment);

}  // namespace ks
