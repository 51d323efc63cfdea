#include "Surface.h"

#include "FontMetricsEngine.h"

namespace ks {

CSurface::CSurface(Kind kind) : kind_(kind) {}
CSurface::~CSurface() = default;

TextMetrics CSurface::measure(const FontSpec& font, const QString& text) const {
    return FontMetricsEngine::instance().measure(font, text);
}

double CSurface::cellHeight(const FontSpec& font) const {
    return FontMetricsEngine::instance().cellHeight(font);
}

}  // namespace ks
