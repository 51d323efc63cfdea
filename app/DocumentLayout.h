// Laying out a document for its page: the page from the document's printer settings
// (or the default settings' page), the stave unit measured from the music font at the
// score's font size, then every layout pass.
#pragma once

#include "model/PrinterSettings.h"
#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks {

// The page of a document.
PageGeometry documentPage(const CPrinterSettings& printer);

// Measures the unit, lays the whole score out on its page and rebuilds its performance
// map.
void layOutDocument(CScore& score, const CPrinterSettings& printer);

// The printer orientation of a document (1 portrait, 2 landscape) and a change of it.
int documentOrientation(const CPrinterSettings& printer);
void setDocumentOrientation(CPrinterSettings& printer, int orientation);

}  // namespace ks
