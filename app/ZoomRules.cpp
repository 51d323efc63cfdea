#include "app/ZoomRules.h"

#include <cmath>

#include <algorithm>

namespace ks {

std::optional<int> validCustomZoom(const QString& typed) {
    bool ok = false;
    const int value = typed.trimmed().toInt(&ok);
    if (!ok || value < kMinZoom || value > kMaxZoom) return std::nullopt;
    return value;
}

int clampZoom(int zoom) {
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int zoomForPageWidth(int clientWidth, const PageGeometry& page) {
    if (page.width <= 0) return 100;
    return clampZoom(static_cast<int>(int64_t(std::max(clientWidth, 0)) * 1000 / page.width));
}

int zoomForFullPage(int clientHeight, const PageGeometry& page) {
    if (page.height <= 0) return 100;
    return clampZoom(static_cast<int>(int64_t(std::max(clientHeight, 0)) * 1000 / page.height));
}

int wheelZoom(int zoom, int angleDelta) {
    zoom = clampZoom(zoom);
    if (angleDelta == 0) return zoom;
    const double factor = std::pow(1.1, angleDelta / 120.0);
    int next = static_cast<int>(std::lround(zoom * factor));
    if (next == zoom) next += angleDelta > 0 ? 1 : -1;
    return clampZoom(next);
}

QSize pageScrollSize(const PageGeometry& page, int zoom) {
    return {unitsToPixels(page.width, zoom), unitsToPixels(page.height, zoom)};
}

int unitsToPixels(int64_t units, int zoom) {
    const int64_t pixels = units * zoom / 1000;
    return static_cast<int>(std::clamp<int64_t>(pixels, -(1 << 30), 1 << 30));
}

int64_t pixelsToUnits(int pixels, int zoom) {
    return int64_t(pixels) * 1000 / std::max(zoom, 1);
}

}  // namespace ks
