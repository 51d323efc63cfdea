// The output commands of a document window: print, print preview, page setup, printer
// alignment, and the exports to a raster PDF, a vector PDF and bitmap pages.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "app/CommandTarget.h"
#include "render/output/PrinterAlignment.h"
#include "render/output/RasterPdfExport.h"

namespace ks {

class CKeystaveDoc;
class IOutputDialogs;
class IUserInterface;

class CDocumentOutput {
  public:
    // `relayout` lays the document out again after its page changed.
    CDocumentOutput(CKeystaveDoc& doc, IUserInterface& ui, IOutputDialogs& dialogs,
                    std::function<void()> relayout);

    // The state of an output command; nothing for other commands.
    std::optional<CommandState> commandState(int id) const;
    // Runs an output command; false for other commands.
    bool runCommand(int id);

    void exportPdf();
    void exportVectorPdf();
    void exportBitmaps();
    // Without a printer installed, offers the PDF export instead.
    void print();
    void printPreview();
    void pageSetup();
    void alignPrinter();

    // The offsets the alignment dialog set last.
    const PrinterAlignment& alignment() const { return alignment_; }

  private:
    // The file name proposed for an export: the document's name with `extension`.
    QString proposedPath(const QString& extension) const;
    // The pages an export draws, as the document's layout has them (at least one).
    int exportPages() const;
    std::optional<int> chooseResolution();
    // The end of a PDF export in the status bar, or its failure in a message.
    void reportPdf(const PdfExportResult& result);
    // "N pages exported to ..."
    static QString exportedText(int pages, const QString& where);

    CKeystaveDoc& doc_;
    IUserInterface& ui_;
    IOutputDialogs& dialogs_;
    std::function<void()> relayout_;
    PrinterAlignment alignment_;
};

}  // namespace ks
