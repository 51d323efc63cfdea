#include "NotePlacement.h"

#include "render/layout/ConventionalSpelling.h"
#include "render/layout/LayoutMath.h"

namespace ks {

int32_t notePosition(const LineGeometry& g, int32_t pitch, int32_t key) {
    if (g.conventional) return diatonicPosition(pitch, key);
    return stavePosition(g.line.flags, pitch);
}

int32_t conventionalY(const CDrawContext& ctx, const LineGeometry& g, int32_t position, int part) {
    const int64_t s = ctx.step;
    if (part >= Part::LeftHand)
        return saturate(int64_t(g.line.originY) + s * (int64_t(g.line.handGap) - position + 60));
    return saturate(int64_t(g.line.originY) - s * (int64_t(position) - 60));
}

int32_t noteY(const CDrawContext& ctx, const LineGeometry& g, int32_t pitch, int part,
              int32_t key) {
    if (g.conventional) return conventionalY(ctx, g, diatonicPosition(pitch, key), part);
    return g.y(pitch, ctx.u);
}

bool noteOnLine(const LineGeometry& g, int32_t pitch, int32_t key) {
    if (g.conventional) return floorMod(diatonicPosition(pitch, key), 2) == 1;
    const int32_t pc = floorMod(pitch, 12);
    return pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
}

bool oneStepAbove(const LineGeometry& g, int32_t pitch, int32_t below, int32_t key) {
    if (g.conventional) return diatonicPosition(pitch, key) == diatonicPosition(below, key) + 1;
    if (pitch != below + 1) return false;
    if (g.line.flags & LineFlag::ReducedSpacing) return true;
    const int32_t pc = floorMod(pitch, 12);
    return pc != 0 && pc != 5;
}

}  // namespace ks
