#include "MusicLine.h"

#include <algorithm>

#include "BarFlags.h"
#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "PositionBars.h"
#include "Spacing.h"
#include "StackLines.h"
#include "StaveGeometry.h"
#include "TickMapping.h"

namespace ks {

void placeLongLine(CScoreLine& line, const CScore& score, const PageGeometry& page, double u) {
    placeLineHorizontally(line, score, page, u);  // indents
    int64_t length = 0;
    for (const CScoreLine& l : score.lines)
        length += int64_t(l.right) - l.left;
    line.left = saturate(int64_t(page.left()) + line.indentLeft);
    line.right = saturate(int64_t(line.left) + length);
}

CScoreLine layoutMusicLine(CScore& score, const PageGeometry& page) {
    const double u = layoutUnit(score);
    const int32_t n = static_cast<int32_t>(score.bars.size());
    CScoreLine line;
    line.firstBar = 0;
    line.barsInLine = n;
    line.pitchHigh = 112;
    line.pitchLow = 0;
    line.flags = score.prefs.reducedspacing ? LineFlag::ReducedSpacing : 0;
    applyLyricSpaces(line, score.prefs);
    line.handGap = handGapFor(score.prefs, line);
    placeStave(line, u, defaultStaveRange(score.prefs.stavetype),
               saturate(int64_t(page.top()) + roundToInt(line.spaceAbove * u)));
    placeLongLine(line, score, page, u);
    if (n == 0) return line;

    applyBarFlags(score, 0, n);
    const int32_t firstLength = score.bars.front().lengthTicks;
    std::vector<int64_t> starts(static_cast<size_t>(n));
    int64_t total = 0;
    for (int32_t b = 0; b < n; ++b) {
        CScoreBar& bar = score.bars[static_cast<size_t>(b)];
        starts[size_t(b)] = total;
        bar.weightStart = saturate(total);
        if (bar.naturalWidth <= 0) buildSpacing(score, b, b);
        double natural = bar.naturalWidth;
        const int32_t f = bar.lengthTicks;
        if (f > 0 && f < firstLength)
            natural *= 2 * int64_t(f) < firstLength ? double(firstLength) / (2.0 * f)
                                                    : double(firstLength) / f;
        total += barWeight(score, bar, natural);
    }
    const int64_t length = int64_t(line.right) - line.left;
    const int32_t prefix = fixedPrefix(score.bars.front(), u);
    for (int32_t b = 0; b < n; ++b) {
        const double share =
            total > 0 ? double(starts[size_t(b)]) / double(total) : double(b) / double(n);
        score.bars[static_cast<size_t>(b)].left =
            saturate(line.left + roundToInt(prefix + double(length - prefix) * share));
    }
    score.bars.front().left = saturate(int64_t(score.bars.front().left) - prefix);
    for (int32_t b = 0; b + 1 < n; ++b)
        score.bars[static_cast<size_t>(b)].right = score.bars[static_cast<size_t>(b) + 1].left;
    score.bars.back().right = line.right;
    for (CScoreBar& bar : score.bars)
        updateDrawnPositions(bar, u);
    return line;
}

}  // namespace ks
