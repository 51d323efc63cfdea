// The raster PDF export: one PDF page per score page, each the size of the paper and
// filled by the page drawn at R dots per inch as one RGB image.
#pragma once

#include <QString>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "render/output/PageJob.h"

namespace ks {

struct PdfExportResult {
    bool ok = false;
    int messageId = 0;  // text to show when not ok
    QString path;       // the file written
    int pages = 0;      // pages written
    bool cancelled = false;  // stopped through the progress callback: nothing written
};

// The file a PDF export writes for the name chosen: a name with a three-letter
// extension gets "pdf" in its place ("piece.bmp" -> "piece.pdf"); any other name gets
// ".pdf" added ("piece" -> "piece.pdf").
QString pdfTargetPath(const QString& chosen);

// Lays the score out for export and writes its pages as a raster PDF at `dpi` to
// pdfTargetPath(path). `fileName` is the document name a footer shows. On failure
// nothing is written: "Error during creation of PDF file." when the PDF writer
// reports an error, "File is Open in Another Program" when the target exists but cannot
// be replaced, and a message of its own when the pages are too large for `dpi`.
// `progress` is told of each page and may stop the export, which then writes nothing.
PdfExportResult ExportPdf(CScore& score, const PageGeometry& page, const QString& path, int dpi,
                          const QString& fileName = {}, const PageProgress& progress = {});

}  // namespace ks
