// Pages as images: the score laid out for an export surface and each page drawn into
// an image the way a printer would draw it (no editing state, the paper filled).
#pragma once

#include <QImage>
#include <QString>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks {

// Resolutions an image export accepts, in dots per inch.
constexpr int kMinExportDpi = 10;
constexpr int kMaxExportDpi = 1200;

// The stave unit an export surface measures: the cell height of "6" in the music font
// of the score's font size, divided by 2.3333.
double measuredUnit(const CScore& score);

// Stores the measured unit and lays the pages out again when it changed (and when the
// score has no layout yet).
void layoutForExport(CScore& score, const PageGeometry& page);

// Pixel size of a page at `dpi` dots per inch: the page size in thousandths of an inch
// times dpi / 1000, rounded.
QSize pageImageSize(const PageGeometry& page, int dpi);

// Page `pageIndex` (from 0) of a laid-out score drawn on an export surface: paper colour
// fill, then the page. `fileName` is shown in the footer when the score asks for it.
// Needs a QGuiApplication with the music font loaded. An out-of-range page, or a dpi
// outside [kMinExportDpi, kMaxExportDpi], gives a null image.
QImage renderPageImage(const CScore& score, const PageGeometry& page, int pageIndex, int dpi,
                       const QString& fileName = {});

}  // namespace ks
