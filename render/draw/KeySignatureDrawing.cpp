#include "render/layout/KeySignatureTable.h"
#include "render/layout/LayoutMath.h"
#include "render/draw/BarFurniture.h"
#include "render/draw/EventPlacement.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

constexpr int32_t kMajorSteps[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int32_t kMinorSteps[7] = {0, 2, 3, 5, 7, 8, 10};

// Conventional signatures: the natural pitches whose staff places the sharps and flats
// take, in signature order, on the upper and the lower staff.
constexpr int32_t kSharpPlaces[2][7] = {{77, 72, 79, 74, 69, 76, 71}, {53, 48, 55, 50, 45, 52, 47}};
constexpr int32_t kFlatPlaces[2][7] = {{71, 76, 69, 74, 67, 72, 65}, {47, 52, 45, 50, 43, 48, 41}};
constexpr double kConventionalStep = 1.75;  // units per sharp or flat

// With reduced spacing neighbouring white keys lie one position apart; the white
// diamond that would touch its neighbour moves aside like the black ones.
bool reducedSpacingShift(int k, int32_t pitch) {
    switch (k) {
        case 6:
            return pitch == 59 || pitch == 71;
        case 7:
            return pitch == 59 || pitch == 64;
        case 8:
            return pitch == 64;
        default:
            return false;
    }
}

void drawKeystaveSignature(CDrawContext& ctx, const CScoreLine& line, int key, int32_t x) {
    const int k = key % 15;
    const bool minor = key >= 15;
    const int32_t root = keyRootOffset(key);
    const bool reduced = (line.flags & LineFlag::ReducedSpacing) != 0;
    const int direction = k <= 7 ? 1 : -1;
    for (int i = 0; i < 7; ++i) {
        const int32_t pitch = 60 + root + (minor ? kMinorSteps[i] : kMajorSteps[i]);
        const bool black = isBlackKey(pitch);
        const QString g = glyphText(black ? glyph::DiamondBlackKey : glyph::DiamondWhiteKey);
        double dx = 0;
        if (black || (reduced && reducedSpacingShift(k, pitch)))
            dx = direction * ctx.surface.measure(ctx.music, g).width / 2;
        const double top = pitchToY(line, ctx.u, pitch) - ctx.H / 2;
        ctx.surface.drawText(pagePoint(x + dx, top), g, ctx.music, Qt::black,
                             TextAlign::Left | TextAlign::Top);
    }
}

void drawConventionalSignature(CDrawContext& ctx, const CScoreLine& line, int key, int32_t x) {
    const int count = keyAccidentalCount(key);
    const bool sharps = key % 15 < 7;
    const QString g = glyphText(sharps ? glyph::Sharp : glyph::Flat);
    const int staves = lineShowsLowerStave(ctx, line) ? 2 : 1;
    for (int staff = 0; staff < staves; ++staff) {
        for (int i = 0; i < count && i < 7; ++i) {
            const int32_t place = sharps ? kSharpPlaces[staff][i] : kFlatPlaces[staff][i];
            // Placed as the accidentals before note heads: the sign's top lies 12.5 units
            // above the top of a head at that pitch.
            const double headTop = pitchToY(line, ctx.u, place) - ctx.H / 2;
            ctx.surface.drawText(
                pagePoint(x + i * kConventionalStep * ctx.u, headTop - ctx.units(12.5)), g,
                ctx.largeMusic, Qt::black, TextAlign::Left | TextAlign::Top);
        }
    }
}

}  // namespace

void drawKeySignature(CDrawContext& ctx, const CScoreLine& line, int key, int32_t x) {
    if (key < 0 || key >= kKeyCount) return;
    if (line.flags & LineFlag::Conventional)
        drawConventionalSignature(ctx, line, key, x);
    else
        drawKeystaveSignature(ctx, line, key, x);
}

int32_t conventionalKeySignatureWidth(const CDrawContext& ctx, int key) {
    const int count = keyAccidentalCount(key);
    return count > 0 ? roundToInt(kConventionalStep * count * ctx.u) : ctx.units(4);
}

}  // namespace ks
