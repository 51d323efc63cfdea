// Integer helpers shared by the layout passes: rounding half away from zero and
// saturation into the coordinate range, so extreme document values never overflow.
// Coordinates stay within +-2^30 page units (about 17 miles): drawing adds offsets of a
// few units to them and must still fit in an int32.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace ks {

constexpr int64_t kInt32Min = -(int64_t(1) << 30);
constexpr int64_t kInt32Max = int64_t(1) << 30;

inline int32_t saturate(int64_t v) {
    return static_cast<int32_t>(v < kInt32Min ? kInt32Min : (v > kInt32Max ? kInt32Max : v));
}

// Half away from zero (add or subtract 0.5, then truncate), saturated to the range;
// NaN gives 0.
inline int32_t roundToInt(double v) {
    if (std::isnan(v)) return 0;
    const double r = v < 0 ? v - 0.5 : v + 0.5;
    if (r <= static_cast<double>(kInt32Min)) return static_cast<int32_t>(kInt32Min);
    if (r >= static_cast<double>(kInt32Max)) return static_cast<int32_t>(kInt32Max);
    return static_cast<int32_t>(r);
}

// Floor division and its non-negative remainder.
inline int32_t floorDiv(int32_t a, int32_t b) {
    const int32_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
inline int32_t floorMod(int32_t a, int32_t b) {
    return a - floorDiv(a, b) * b;
}

}  // namespace ks
