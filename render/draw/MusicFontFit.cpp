#include "MusicFontFit.h"

#include "render/surface/FontMetricsEngine.h"

namespace ks {

namespace {
constexpr int kCandidates = 41;
constexpr int kFirstOffset = 20;  // the first candidate is 20 units taller than asked
}  // namespace

double referenceCellHeight(const FontSpec& font) {
    return FontMetricsEngine::instance().cellHeight(font);
}

FontSpec fitMusicFont(const CSurface& surface, const FontSpec& font) {
    const double reference = referenceCellHeight(font);
    if (surface.cellHeight(font) == reference) return font;
    // Heights are negative (em heights): "upward" from -em - 20 means ever smaller.
    FontSpec candidate = font;
    for (int k = 0; k < kCandidates; ++k) {
        candidate.height = font.height - kFirstOffset + k;
        if (candidate.height >= 0) break;
        if (surface.cellHeight(candidate) <= reference) return candidate;
    }
    return font;
}

}  // namespace ks
