#include "LineGeometry.h"

#include <algorithm>

#include "render/draw/StaveLines.h"

namespace ks {

namespace {
constexpr int32_t kConventionalTop = 78;
}

bool skippedOutsideDefault(const CDrawContext& ctx, const LineGeometry& g, int32_t pitch) {
    const int32_t mode = ctx.score.prefs.extendmode;
    return (mode == ExtendMode::LedgerLines || mode == ExtendMode::AffectedBars) && !g.onlyUsed &&
           outsideDefaultRange(ctx, pitch);
}

bool rangeCrosses(const LineGeometry& g, int32_t low, int32_t high) {
    return g.bottomPitch <= low && g.topPitch >= high;
}

bool lineOnDrawnPage(const CDrawContext& ctx, const CScoreLine& line) {
    return !ctx.view.pageOrLayout() || !ctx.view.lines.empty() || line.page == ctx.view.page;
}

LineGeometry lineGeometry(const CDrawContext& ctx, int lineIndex) {
    LineGeometry g;
    g.index = lineIndex;
    g.line = ctx.lineRecord(lineIndex);
    g.line.handGap = handGapFor(ctx.score.prefs, g.line);
    const int32_t barCount = static_cast<int32_t>(ctx.score.bars.size());
    g.firstBar = std::clamp(g.line.firstBar, 0, barCount);
    g.endBar = static_cast<int32_t>(std::clamp<int64_t>(
        int64_t(g.firstBar) + std::max(g.line.barsInLine, 0), g.firstBar, barCount));
    if (g.endBar > g.firstBar) {
        g.x0 = ctx.score.bar(g.firstBar).left;
        g.x1 = ctx.score.bar(g.endBar - 1).right;
    } else {
        g.x0 = g.line.left;
        g.x1 = g.line.right;
    }
    g.conventional = (g.line.flags & LineFlag::Conventional) != 0 && ctx.conventionalView();
    g.onlyUsed = !g.conventional && (g.line.flags & LineFlag::OnlyUsedLines) != 0;
    const StaveRange range = ctx.range();
    if (g.conventional) {
        g.bottomPitch = range.bottom;
        g.topPitch = kConventionalTop;
    } else {
        g.bottomPitch = staveBottomPitch(g.line, range);
        g.topPitch = staveTopPitch(g.line, range);
    }
    int32_t high = -1, low = -1;
    for (int32_t p = g.topPitch; p >= g.bottomPitch; --p) {
        if (skippedOutsideDefault(ctx, g, p) || !IsStaveLine(p, g.conventional)) continue;
        if (high < 0) high = p;
        low = p;
    }
    if (high < 0) high = low = g.topPitch;
    g.topLineY = g.y(high, ctx.u);
    g.bottomLineY = g.y(low, ctx.u);
    g.upperShown = !g.onlyUsed || rangeCrosses(g, 70, 72);
    g.lowerShown = !g.onlyUsed || rangeCrosses(g, 49, 50);
    return g;
}

}  // namespace ks
