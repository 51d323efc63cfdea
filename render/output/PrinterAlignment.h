// Printer alignment: two offsets the user moves until the margin bands of the preview
// match a printed test page, and the alignment view's drawing of them.
#pragma once

#include <QColor>

#include "render/layout/PageGeometry.h"
#include "render/surface/Surface.h"

namespace ks {

struct PrinterAlignment {
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;
    static constexpr int kLineStep = 1;
    static constexpr int kPageStep = 10;
    static constexpr int kUnitsPerStep = 10;  // page units (thousandths of an inch) per step

    int horizontal = 0;
    int vertical = 0;

    // A scroll position kept within kMinimum..kMaximum.
    static int clamp(int position);
    bool operator==(const PrinterAlignment&) const = default;
};

// The colour of the margin bands: the document's margin colour, or light grey when that
// is white, as the bands would not show on the white page.
QColor alignmentBandColour(const QColor& marginColour);

// The alignment view of a page: the paper white, the four margin bands in the margin
// colour, the left band moved right by the horizontal offset and the top band moved
// down by the vertical offset (each x 10 page units).
void drawAlignmentPage(CSurface& surface, const PageGeometry& page, const QColor& marginColour,
                       const PrinterAlignment& alignment);

}  // namespace ks
