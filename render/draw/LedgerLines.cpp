#include "LedgerLines.h"

#include <algorithm>

#include "render/layout/ConventionalSpelling.h"
#include "render/layout/LayoutMath.h"
#include "render/draw/NotePlacement.h"
#include "render/draw/StaveLines.h"

namespace ks {

namespace {

// Diatonic positions of the outer lines of the two conventional staves: E4 and F5 for
// the right hand, G2 and A3 for the left. Lines lie on odd positions.
constexpr int32_t kUpperBottom = 37;
constexpr int32_t kUpperTop = 45;
constexpr int32_t kLowerBottom = 25;
constexpr int32_t kLowerTop = 33;

constexpr int32_t kStepSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

// The natural pitch of a diatonic position.
int32_t naturalPitch(int32_t position) {
    return 12 * floorDiv(position, 7) + kStepSemitones[floorMod(position, 7)];
}

void ledger(CDrawContext& ctx, int32_t y, int32_t x, const Pen& pen) {
    ctx.surface.drawLine(QPoint(x, y), QPoint(x + ctx.units(5), y), pen);
}

void conventionalLedgers(CDrawContext& ctx, const LineGeometry& g, int32_t pitch, int32_t x,
                         int part, int32_t key, bool grey) {
    const bool upper = part < Part::LeftHand;
    const int32_t bottom = upper ? kUpperBottom : kLowerBottom;
    const int32_t top = upper ? kUpperTop : kLowerTop;
    const int32_t pos = diatonicPosition(pitch, key);
    auto draw = [&](int32_t p) {
        ledger(ctx, conventionalY(ctx, g, p, part), x,
               StaveLinePen(ctx, naturalPitch(p), false, grey));
    };
    for (int32_t p = top + 2; p <= pos; p += 2)
        draw(p);
    for (int32_t p = bottom - 2; p >= pos; p -= 2)
        draw(p);
}

}  // namespace

bool usesLedgerLines(const CDrawContext& ctx, const LineGeometry& g) {
    const int32_t mode = ctx.score.prefs.extendmode;
    return g.conventional || mode == ExtendMode::LedgerLines || mode == ExtendMode::AffectedBars;
}

void DrawLedgerLines(CDrawContext& ctx, const LineGeometry& g, int32_t pitch, int32_t x, int part,
                     int32_t key, bool grey) {
    x -= ctx.step;
    pitch = std::clamp(pitch, 0, 127);
    if (g.conventional) {
        conventionalLedgers(ctx, g, pitch, x, part, key, grey);
        return;
    }
    const StaveRange r = ctx.range();
    if (pitch > r.top) {
        for (int32_t p = groupTop(pitch); p > r.top; --p)
            if (IsStaveLine(p, false))
                ledger(ctx, g.y(p, ctx.u), x, StaveLinePen(ctx, p, false, grey));
    } else if (pitch < r.bottom) {
        for (int32_t p = groupBottom(pitch); p < r.bottom; ++p)
            if (IsStaveLine(p, false))
                ledger(ctx, g.y(p, ctx.u), x, StaveLinePen(ctx, p, false, grey));
    }
}

}  // namespace ks
