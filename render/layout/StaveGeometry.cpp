#include "StaveGeometry.h"

#include <algorithm>

#include "LayoutMath.h"
#include "LayoutUnit.h"

namespace ks {

namespace {

constexpr int32_t kT14[12] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12};
constexpr int32_t kT7[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr int32_t kDiatonicSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

bool reduced(const CScoreLine& line) {
    return (line.flags & LineFlag::Conventional) == 0 &&
           (line.flags & LineFlag::ReducedSpacing) != 0;
}
bool conventional(const CScoreLine& line) {
    return (line.flags & LineFlag::Conventional) != 0;
}
bool onlyUsed(const CScoreLine& line) {
    return !conventional(line) && (line.flags & LineFlag::OnlyUsedLines) != 0;
}

int64_t yOf(const CScoreLine& line, int32_t s, int32_t pitch) {
    const int64_t c = stavePosition(line.flags, pitch);
    if (pitch >= 60) return int64_t(line.originY) - int64_t(s) * (c - 60);
    return int64_t(line.originY) + int64_t(s) * (int64_t(line.handGap) + 60 - c);
}

}  // namespace

bool isConventionalStaveType(int32_t stavetype) {
    return stavetype == 3 || stavetype == 4;
}

StaveRange defaultStaveRange(int32_t stavetype) {
    switch (stavetype) {
        case 1:
            return {48, 71};
        case 2:
            return {53, 76};
        case 3:
        case 4:
            return {43, 78};
        default:
            return {41, 76};
    }
}

int32_t stavePosition(int32_t lineFlags, int32_t pitch) {
    const int32_t octave = floorDiv(pitch, 12);
    const int32_t step = floorMod(pitch, 12);
    if (lineFlags & LineFlag::Conventional) return octave * 7 + kT7[step];
    if (lineFlags & LineFlag::ReducedSpacing) return pitch;
    return octave * 14 + kT14[step];
}

int32_t handGapFor(const CDisplaySettings& prefs, const CScoreLine& line) {
    int32_t gap = prefs.stavegap;
    if (line.flags & LineFlag::Conventional) gap = std::max(gap, 2);
    return std::clamp(std::max(gap, line.minStaveGap), 0, kMaxHandGap);
}

int32_t pitchToY(const CScoreLine& line, double u, int32_t pitch) {
    return saturate(yOf(line, unitStep(u), pitch));
}

int32_t fractionalPitchToY(const CScoreLine& line, double u, int32_t pitch16) {
    const int32_t s = unitStep(u);
    const int32_t p = pitch16 >> 16;
    const int64_t fraction = pitch16 & 0xFFFF;
    const int64_t y0 = yOf(line, s, p);
    const int64_t y1 = yOf(line, s, p + 1);
    return saturate(y0 + (y1 - y0) * fraction / 65536);
}

int32_t yToPitch(const CScoreLine& line, double u, int32_t y) {
    // The inverse of pitchToY: the nearest stave position, counted in the same whole
    // step s the forward mapping uses, so that every pitch's own height maps back to
    // it whatever the unit's fraction. Below middle C the hand gap is taken out first
    // (a point inside the gap counts as middle C).
    const int64_t s = std::max(unitStep(u), 1);
    const int64_t c5 = stavePosition(line.flags, 60);
    const int64_t f = int64_t(line.originY) - s * (c5 - 60);
    int64_t yy = y;
    if (yy > f) yy = std::max(yy - s * line.handGap, f);
    const int64_t offset = f - yy;  // positions above middle C, times s
    // offset / s rounded half away from zero.
    int64_t k = offset >= 0 ? (offset + s / 2) / s : -((s / 2 - offset) / s);
    k = std::clamp<int64_t>(k, -1000, 1000);
    int64_t pitch;
    if (reduced(line)) {
        pitch = k + 60;
    } else if (conventional(line)) {
        const int32_t q = floorDiv(static_cast<int32_t>(k), 7);
        const int32_t r = floorMod(static_cast<int32_t>(k), 7);
        pitch = 60 + 12 * q + kDiatonicSemitones[r];
    } else {
        const int64_t q = k / 14;
        int64_t r = k % 14;
        if (k >= 0) {
            if (r > 4) r -= 1;
            pitch = 12 * q + r;
        } else {
            if (r < -8) r += 1;
            pitch = r < -1 ? r + 12 * q + 1 : 12 * q + r;
        }
        pitch += 60;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(pitch, 0, 127));
}

int32_t yToFractionalPitch(const CScoreLine& line, double u, int32_t y) {
    const int32_t s = unitStep(u);
    const int32_t p = yToPitch(line, u, y);
    const int64_t yp = yOf(line, s, p);
    int64_t fraction = 0;
    if (y > yp) {
        const int64_t span = yOf(line, s, p - 1) - yp;
        if (span != 0) fraction = (yp - y) * 65536 / span;
    } else {
        const int64_t span = yp - yOf(line, s, p + 1);
        if (span != 0) fraction = (yp - y) * 65536 / span;
    }
    return saturate(int64_t(p) * 65536 + fraction);
}

int32_t groupTop(int32_t pitch) {
    const int32_t step = floorMod(pitch, 12);
    return std::min(pitch - step + (step <= 4 ? 4 : 11), 127);
}

int32_t groupBottom(int32_t pitch) {
    const int32_t step = floorMod(pitch, 12);
    return pitch - step + (step <= 4 ? 0 : 5);
}

int32_t staveTopPitch(const CScoreLine& line, StaveRange range) {
    const int32_t high = std::clamp(line.pitchHigh, 0, 127);
    if (conventional(line)) return std::max(high, range.top);
    if (onlyUsed(line)) return high;
    return high > range.top ? groupTop(high) : high;
}

int32_t staveBottomPitch(const CScoreLine& line, StaveRange range) {
    const int32_t low = std::clamp(line.pitchLow, 0, 127);
    if (conventional(line)) return std::min(low, range.bottom);
    if (onlyUsed(line)) return low;
    return low < range.bottom ? groupBottom(low) : low;
}

void placeStave(CScoreLine& line, double u, StaveRange range, int32_t top) {
    const int32_t s = unitStep(u);
    CScoreLine at0 = line;
    at0.originY = 0;
    const int64_t top0 = yOf(at0, s, staveTopPitch(line, range));
    const int64_t bottom0 = yOf(at0, s, staveBottomPitch(line, range));
    const int64_t origin = int64_t(top) - top0;
    line.originY = saturate(origin);
    line.staveTop = top;
    line.staveBottom = saturate(bottom0 + origin);
}

}  // namespace ks
