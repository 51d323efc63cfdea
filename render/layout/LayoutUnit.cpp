#include "LayoutUnit.h"

#include <algorithm>
#include <cmath>

#include "LayoutMath.h"

namespace ks {

double unitFor(int32_t fontsize) {
    return fontsize * 0.5555555;
}

double layoutUnit(const CScore& score) {
    double u = score.unit;
    if (!std::isfinite(u) || u <= 0) u = unitFor(score.prefs.fontsize);
    return std::clamp(u, kMinUnit, kMaxUnit);
}

int32_t unitStep(double u) {
    return roundToInt(u);
}

}  // namespace ks
