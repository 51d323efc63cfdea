#include "StaveLines.h"

#include "render/layout/LayoutMath.h"

namespace ks {

namespace {

constexpr bool kBlackKey[12] = {false, true,  false, true,  false, false,
                                true,  false, true,  false, true,  false};

bool isBlackKey(int32_t pitch) {
    return kBlackKey[floorMod(pitch, 12)];
}

// Places in a 24-semitone cycle of the lines D, F, A, C, E, G, B.
bool conventionalLinePlace(int32_t pitch) {
    switch (floorMod(pitch, 24)) {
        case 2:
        case 5:
        case 9:
        case 12:
        case 16:
        case 19:
        case 23:
            return true;
        default:
            return false;
    }
}

const QColor kFadedBlack(153, 153, 153);

}  // namespace

bool IsStaveLine(int32_t pitch, bool conventional) {
    if (!conventional) return isBlackKey(pitch);
    return pitch != 60 && conventionalLinePlace(pitch);
}

bool outsideDefaultRange(const CDrawContext& ctx, int32_t pitch) {
    const StaveRange r = ctx.range();
    return pitch < r.bottom || pitch > r.top;
}

Pen StaveLinePen(CDrawContext& ctx, int32_t pitch, bool forceColour, bool isHeadPen, bool noThick) {
    const int32_t mode = ctx.score.prefs.extendmode;
    const bool outside = outsideDefaultRange(ctx, pitch);
    const bool faded = mode == ExtendMode::FullStaveFaded && outside;
    const bool dashed = mode == ExtendMode::StaveLines && outside;
    const int32_t pc = floorMod(pitch, 12);
    const bool thick = ctx.score.prefs.thicklines && (pc == 1 || pc == 3) && !noThick;
    QColor colour;
    if (ctx.switches.colourStaveLines || forceColour) {
        colour = octaveColour(pitch);
        if (faded || isHeadPen) colour = fade(colour);
    } else {
        colour = faded ? kFadedBlack : QColor(Qt::black);
    }
    const int w = ctx.w;
    return ctx.stavePens.get(colour, dashed, thick, [&] {
        if (thick) return Pen{.colour = colour, .width = 2 * w};
        if (dashed) return Pen{.colour = colour, .width = w, .style = PenStyle::Dashed};
        return Pen{.colour = colour, .width = w};
    });
}

}  // namespace ks
