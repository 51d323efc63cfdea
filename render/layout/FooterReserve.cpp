#include "FooterReserve.h"

#include <algorithm>

#include "LayoutMath.h"

namespace ks {

int32_t footerReserve(const CScore& score, double u) {
    const CDisplaySettings& p = score.prefs;
    int32_t reserve = 0;
    if (p.showtitle || p.showpagenumbers) reserve = roundToInt(4 * u);
    if (p.showcopyright && !score.copyright.isEmpty())
        reserve = roundToInt((10.0 - p.textoffset3) * u);
    return std::max(reserve, 0);
}

}  // namespace ks
