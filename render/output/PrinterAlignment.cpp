#include "PrinterAlignment.h"

#include <algorithm>

#include "render/layout/LayoutMath.h"

namespace ks {

int PrinterAlignment::clamp(int position) {
    return std::clamp(position, kMinimum, kMaximum);
}

QColor alignmentBandColour(const QColor& marginColour) {
    return marginColour.rgb() == QColor(Qt::white).rgb() ? QColor(192, 192, 192) : marginColour;
}

void drawAlignmentPage(CSurface& surface, const PageGeometry& page, const QColor& marginColour,
                       const PrinterAlignment& alignment) {
    const int32_t w = page.width;
    const int32_t h = page.height;
    const int32_t dx =
        PrinterAlignment::clamp(alignment.horizontal) * PrinterAlignment::kUnitsPerStep;
    const int32_t dy =
        PrinterAlignment::clamp(alignment.vertical) * PrinterAlignment::kUnitsPerStep;
    surface.beginElement(QStringLiteral("alignment"), 0);
    surface.fillRect(QRect(0, 0, w, h), Qt::white);
    surface.fillRect(QRect(dx, 0, page.marginLeft, h), marginColour);
    surface.fillRect(QRect(0, dy, w, page.marginTop), marginColour);
    surface.fillRect(QRect(saturate(int64_t(w) - page.marginRight), 0, page.marginRight, h),
                     marginColour);
    surface.fillRect(QRect(0, saturate(int64_t(h) - page.marginBottom), w, page.marginBottom),
                     marginColour);
    surface.endElement();
}

}  // namespace ks
