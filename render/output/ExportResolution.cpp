#include "ExportResolution.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>

#include "render/layout/LayoutMath.h"

namespace ks {

QSize exportPixelSize(const PageGeometry& page, int dpi) {
    if (dpi <= 0 || page.width <= 0 || page.height <= 0) return {};
    const int64_t divisor = int64_t(10) * kExportScreenPpi;
    const int64_t w = int64_t(dpi) * page.width / divisor;
    const int64_t h = int64_t(dpi) * page.height / divisor;
    // Page sizes are 32-bit and dpi is small, so these fit; saturate for safety.
    return QSize(static_cast<int>(std::min<int64_t>(w, INT32_MAX)),
                 static_cast<int>(std::min<int64_t>(h, INT32_MAX)));
}

bool exportSizeAllowed(QSize pixels) {
    if (pixels.isEmpty()) return false;
    if (pixels.width() > kMaxExportSide || pixels.height() > kMaxExportSide) return false;
    return int64_t(pixels.width()) * pixels.height() <= kMaxExportPixels;
}

double exportPixelsPerUnit(int dpi) {
    return dpi / (10.0 * kExportScreenPpi);
}

int32_t exportPixelsPerMetre(int dpi) {
    return roundToInt(dpi * 10000.0 / 254.0);
}

std::vector<ResolutionChoice> resolutionChoices(const QString& list) {
    std::vector<ResolutionChoice> choices;
    for (const QString& entry : list.split(u';', Qt::SkipEmptyParts)) {
        const QString label = entry.trimmed();
        qsizetype digits = 0;
        while (digits < label.size() && digits < 5 && label[digits].isDigit())
            ++digits;
        if (digits == 0) continue;
        choices.push_back({label.left(digits).toInt(), label});
    }
    return choices;
}

int defaultResolutionIndex(const std::vector<ResolutionChoice>& choices) {
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i].dpi == kDefaultExportResolution) return static_cast<int>(i);
    return static_cast<int>(choices.size()) - 1;
}

}  // namespace ks
