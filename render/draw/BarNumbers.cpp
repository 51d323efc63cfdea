#include <algorithm>

#include "render/layout/ShownNotes.h"
#include "render/layout/StaveGeometry.h"
#include "render/draw/BarFurniture.h"
#include "render/draw/EventPlacement.h"

namespace ks {

namespace {

// The first bar is a lead-in (numbered 0) when leading rests are cropped, the user asked
// for bar zero and the music starts after the beginning.
bool leadInBar(const CScore& score) {
    if (!score.prefs.hiderestsatstart || !score.prefs.usebarzero) return false;
    const int32_t first = firstShownNoteTick(score);
    return first != kNoShownNote && first > 0;
}

}  // namespace

int barNumberFor(const CDrawContext& ctx, int bar) {
    if (!leadInBar(ctx.score)) return bar + 1;
    return bar;
}

int32_t barNumberPitch(const CDrawContext& ctx, int bar, const CScoreLine& line) {
    const bool conv = (line.flags & LineFlag::Conventional) != 0;
    if (conv) return 93;
    const bool onlyUsed = (line.flags & LineFlag::OnlyUsedLines) != 0;
    const bool clefs = (ctx.score.bar(line.firstBar).flags & BarFlag::Clef) != 0;
    int32_t f = std::clamp(line.pitchHigh, 0, 127);
    if (onlyUsed && f <= 65) return f + (clefs && f > 48 ? 9 : 5);
    if (!onlyUsed && f >= 77) f = groupTop(f);
    int32_t pitch = f + 5;
    if (clefs && bar == line.firstBar) pitch = std::max(pitch, 81);
    return pitch;
}

void drawBarNumber(CDrawContext& ctx, int bar, const CScoreLine& line) {
    const int number = barNumberFor(ctx, bar);
    if (number <= 0) return;
    if (ctx.view.pageOrLayout()) {
        const bool leadInFirst = leadInBar(ctx.score) && bar == 1;
        if (!ctx.score.prefs.showbarnumbers || (bar != line.firstBar && !leadInFirst)) return;
    }
    const int32_t x = bar == line.firstBar ? line.left : ctx.score.bar(bar).left;
    const int32_t y = pitchToY(line, ctx.u, barNumberPitch(ctx, bar, line));
    ctx.surface.beginElement(QStringLiteral("barnumber"), bar);
    ctx.surface.drawText(pagePoint(x, y), QString::number(number), ctx.barNumber, Qt::black,
                         TextAlign::Left | TextAlign::Top);
    ctx.surface.endElement();
}

}  // namespace ks
