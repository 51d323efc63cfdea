// The export mapping shared by the raster PDF and the bitmap export: the resolutions
// offered, the pixel size of a page and the page units one pixel covers.
#pragma once

#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "render/layout/PageGeometry.h"

namespace ks {

// The screen the export mapping was made for. A constant, so that a file exported on
// one machine is the same on every other: Letter at 300 dpi is always 2656 x 3437.
constexpr int kExportScreenPpi = 96;

// The resolution the export dialog preselects.
constexpr int kDefaultExportResolution = 300;

// What one page may cost: a side of at most 14400 pixels (the largest page a PDF
// viewer accepts, in points) and at most 64 million pixels, so that a page size read
// from a document cannot demand an arbitrarily large bitmap.
constexpr int kMaxExportSide = 14400;
constexpr int64_t kMaxExportPixels = int64_t(64) * 1024 * 1024;

// Pixel size of a page at R dots per inch: R x page size / (10 x screen pixels per inch),
// in integer arithmetic (rounded down). Empty for a page or R that is not positive.
QSize exportPixelSize(const PageGeometry& page, int dpi);

// Whether a page of this pixel size may be rendered (not empty, within the limits).
bool exportSizeAllowed(QSize pixels);

// Device pixels per page unit at R: one pixel covers 10 x screen ppi / R page units.
double exportPixelsPerUnit(int dpi);

// Bitmap resolution at R, in pixels per metre: R x 10000 / 254, rounded.
int32_t exportPixelsPerMetre(int dpi);

struct ResolutionChoice {
    int dpi = 0;
    QString label;
};

// The choices of the resolution dialog from its list text ("96 (Screen);150;300
// (Print);"): each entry's label and the number it starts with. Entries without a
// leading number are left out.
std::vector<ResolutionChoice> resolutionChoices(const QString& list);

// Index of the preselected choice: the one of kDefaultExportResolution, else the last.
int defaultResolutionIndex(const std::vector<ResolutionChoice>& choices);

}  // namespace ks
