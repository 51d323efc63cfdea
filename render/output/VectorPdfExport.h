// The vector PDF export: every page drawn straight onto a PDF page of the paper's size,
// lines as lines and text and music glyphs as text in embedded fonts, so the file is
// small and sharp at every zoom.
#pragma once

#include <QString>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "render/output/RasterPdfExport.h"

namespace ks {

// Lays the score out for export and writes its pages to pdfTargetPath(path). Needs a
// QGuiApplication with the music font loaded. On failure nothing is written and the
// result names the message: "File is Open in Another Program" when the target exists
// but cannot be replaced, "Error during creation of PDF file." otherwise.
PdfExportResult ExportVectorPdf(CScore& score, const PageGeometry& page, const QString& path,
                                const QString& fileName = {}, const ExportProgress& progress = {});

}  // namespace ks
