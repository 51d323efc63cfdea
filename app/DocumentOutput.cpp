#include "app/DocumentOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <algorithm>

#include "app/AppTextIds.h"
#include "app/CommandIds.h"
#include "app/DocumentLayout.h"
#include "app/OutputDialogs.h"
#include "app/OutputJobGuard.h"
#include "app/PrintCycle.h"
#include "app/UserInterface.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "render/ColourScheme.h"
#include "render/output/BmpExport.h"
#include "render/output/ExportResolution.h"
#include "render/output/ExportTextIds.h"
#include "render/output/RasterPdfExport.h"
#include "render/output/VectorPdfExport.h"
#include "storage/KeystaveDoc.h"

namespace ks {

CDocumentOutput::CDocumentOutput(CKeystaveDoc& doc, IUserInterface& ui, IOutputDialogs& dialogs,
                                 std::function<void()> relayout)
    : doc_(doc), ui_(ui), dialogs_(dialogs), relayout_(std::move(relayout)) {}

std::optional<CommandState> CDocumentOutput::commandState(int id) const {
    switch (id) {
        case Cmd::ExportPdf:
        case Cmd::ExportVectorPdf:
        case Cmd::ExportBitmaps:
        case Cmd::FilePrint:
        case Cmd::FilePrintPreview:
        case Cmd::FilePrintSetup:
        case Cmd::AlignPrinter:
            return CommandState{};
        default:
            return std::nullopt;
    }
}

bool CDocumentOutput::runCommand(int id) {
    switch (id) {
        case Cmd::ExportPdf:
            exportPdf();
            return true;
        case Cmd::ExportVectorPdf:
            exportVectorPdf();
            return true;
        case Cmd::ExportBitmaps:
            exportBitmaps();
            return true;
        case Cmd::FilePrint:
            print();
            return true;
        case Cmd::FilePrintPreview:
            printPreview();
            return true;
        case Cmd::FilePrintSetup:
            pageSetup();
            return true;
        case Cmd::AlignPrinter:
            alignPrinter();
            return true;
        default:
            return false;
    }
}

QString CDocumentOutput::proposedPath(const QString& extension) const {
    const QFileInfo info(doc_.pathName().isEmpty() ? doc_.title() : doc_.pathName());
    return info.dir().filePath(info.completeBaseName() + u'.' + extension);
}

int CDocumentOutput::exportPages() const {
    return std::max(1, static_cast<int>(doc_.score().pages.size()));
}

std::optional<int> CDocumentOutput::chooseResolution() {
    const std::vector<ResolutionChoice> choices =
        resolutionChoices(text(OutputTextId::ResolutionChoices));
    if (choices.empty()) return kDefaultExportResolution;
    return dialogs_.chooseResolution(choices, defaultResolutionIndex(choices));
}

void CDocumentOutput::exportPdf() {
    if (!confirmPageCount(ui_, exportPages())) return;
    const QString path = ui_.chooseExportPath(proposedPath(QStringLiteral("pdf")),
                                              text(OutputTextId::PdfFilter), QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    const std::optional<int> dpi = chooseResolution();
    if (!dpi) return;
    PageProgress progress = dialogs_.startPageProgress(exportPages());
    const PdfExportResult result =
        ExportPdf(doc_.score(), documentPage(doc_.printer()), path, *dpi, doc_.title(), progress);
    progress = {};  // the progress dialog closes
    reportPdf(result);
}

void CDocumentOutput::reportPdf(const PdfExportResult& result) {
    if (result.cancelled)
        ui_.showStatus(text(StringId::ExportCancelled));
    else if (!result.ok)
        ui_.showMessage(result.messageId, {});
    else
        ui_.showStatus(exportedText(result.pages, result.path));
}

QString CDocumentOutput::exportedText(int pages, const QString& where) {
    if (pages == 1) return formatText(text(StringId::OnePageExported), {where});
    return formatText(text(StringId::PagesExported), {int64_t(pages), where});
}

void CDocumentOutput::exportVectorPdf() {
    if (!confirmPageCount(ui_, exportPages())) return;
    const QString path = ui_.chooseExportPath(proposedPath(QStringLiteral("pdf")),
                                              text(OutputTextId::PdfFilter), QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    PageProgress progress = dialogs_.startPageProgress(exportPages());
    const PdfExportResult result =
        ExportVectorPdf(doc_.score(), documentPage(doc_.printer()), path, doc_.title(), progress);
    progress = {};
    reportPdf(result);
}

void CDocumentOutput::exportBitmaps() {
    if (!confirmPageCount(ui_, exportPages())) return;
    const QString path =
        ui_.chooseExportPath(proposedPath(QStringLiteral("bmp")), text(OutputTextId::BitmapFilter),
                             QStringLiteral("bmp"));
    if (path.isEmpty()) return;
    const std::optional<int> dpi = chooseResolution();
    if (!dpi) return;
    PageProgress progress = dialogs_.startPageProgress(exportPages());
    const BmpExportResult result =
        ExportBmp(doc_.score(), documentPage(doc_.printer()), path, *dpi, doc_.title(), progress);
    progress = {};
    const int written = static_cast<int>(result.written.size());
    if (result.messageId != 0) {
        ui_.showMessage(result.messageId, {});
    } else if (result.cancelled) {
        ui_.showStatus(formatText(text(StringId::ExportCancelledPartly),
                                  {int64_t(written), int64_t(result.pages)}));
    } else if (written > 0) {
        // The files are named by page: the first and the last tell where they all went.
        const QString where = written == 1 ? result.written.front()
                                           : result.written.front() + QStringLiteral(" ... ") +
                                                 QFileInfo(result.written.back()).fileName();
        ui_.showStatus(exportedText(written, where));
    }
    if (result.messageId == 0 && !result.cancelled && !result.complete()) {
        // Pages whose files could not be written are skipped; the user hears of them.
        const int missing = result.pages - static_cast<int>(result.written.size());
        ui_.showMessage(OutputTextId::BitmapsNotWritten, {missing, result.pages});
    }
}

void CDocumentOutput::print() {
    const QStringList installed = dialogs_.installedPrinters();
    if (installed.isEmpty()) {
        if (ui_.askYesNo(OutputTextId::NoPrinterInstalled, {})) exportVectorPdf();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const StoredPrinterChoice choice = preparePrinter(printer, doc_.printer(), installed);
    const int maxPage = std::max(1, static_cast<int>(doc_.score().pages.size()));
    if (!dialogs_.runPrintDialog(printer, maxPage)) return;
    if (!choice.storedPrinterUsed) {
        // The printer chosen in the dialog becomes the document's printer.
        storePrinterSettings(doc_.printer(), printer.printerName(), printer.pageLayout(), false);
        relayout_();
    }
    PrintJob job(doc_.score(), documentPage(doc_.printer()), doc_.title(), ui_);
    const int pages = job.pagesToPrint(printer);
    if (!confirmPageCount(ui_, pages)) return;
    const PageProgress progress = dialogs_.startPageProgress(pages);
    job.print(printer, progress);
}

void CDocumentOutput::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, doc_.printer(), dialogs_.installedPrinters());
    PrintJob job(doc_.score(), documentPage(doc_.printer()), doc_.title(), ui_);
    if (!confirmPageCount(ui_, job.pageCount(printer))) return;
    dialogs_.runPrintPreview(printer, [this, &job](QPrinter* previewPrinter) {
        if (!previewPrinter) return;
        // A preview stopped early shows the pages drawn until then.
        const PageProgress progress = dialogs_.startPageProgress(job.pagesToPrint(*previewPrinter));
        job.print(*previewPrinter, progress, true);
    });
}

void CDocumentOutput::pageSetup() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, doc_.printer(), dialogs_.installedPrinters());
    printer.setPageLayout(pageSetupLayout(doc_.printer(), documentPage(doc_.printer())));
    if (!dialogs_.runPageSetupDialog(printer)) return;
    storePrinterSettings(doc_.printer(), printer.printerName(), printer.pageLayout(), true);
    doc_.MarkModified();
    relayout_();
}

void CDocumentOutput::alignPrinter() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, doc_.printer(), dialogs_.installedPrinters());
    alignment_ = PrinterAlignment{};
    const PageGeometry page = documentPage(doc_.printer());
    const QColor margin = colourFromRef(doc_.score().prefs.margin);
    dialogs_.runAlignment(
        printer,
        [&](QPrinter* previewPrinter) {
            if (previewPrinter) printAlignmentPage(*previewPrinter, page, margin, alignment_);
        },
        [this](const PrinterAlignment& alignment) { alignment_ = alignment; });
}

}  // namespace ks
