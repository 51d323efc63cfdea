#include "PositionBars.h"

#include <algorithm>

#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "LinesFromBars.h"
#include "Spacing.h"
#include "StackLines.h"
#include "TickMapping.h"

namespace ks {

int64_t barWeight(const CScore& score, const CScoreBar& bar, double naturalWidth) {
    const double scaled = double(bar.width) * naturalWidth / kDefaultBarWidth;
    const int64_t w = static_cast<int64_t>(roundToInt(scaled)) +
                      int64_t(score.ppqn / 4) * std::max(bar.beamedChords, 0);
    return std::max<int64_t>(w, 0);
}

void positionBars(CScore& score, int lineIndex, const PageGeometry& page) {
    if (lineIndex < 0 || lineIndex >= static_cast<int>(score.lines.size())) return;
    CScoreLine& line = score.lines[static_cast<size_t>(lineIndex)];
    const double u = layoutUnit(score);
    // The full extent first: a short last line ends early, and placing it again must
    // start from the whole line.
    placeLineHorizontally(line, score, page, u);
    const int32_t n = static_cast<int32_t>(score.bars.size());
    const int32_t first = std::clamp(line.firstBar, 0, n);
    const int32_t count = static_cast<int32_t>(std::clamp<int64_t>(line.barsInLine, 0, n - first));
    line.flags |= LineFlag::BarsPositioned;
    if (count == 0) return;
    auto barAt = [&](int32_t k) -> CScoreBar& {
        return score.bars[static_cast<size_t>(first + k)];
    };

    // 1. Running weights.
    std::vector<int64_t> starts(static_cast<size_t>(count));
    int64_t total = 0;
    for (int32_t k = 0; k < count; ++k) {
        CScoreBar& bar = barAt(k);
        starts[size_t(k)] = total;
        bar.weightStart = saturate(total);
        if (bar.naturalWidth <= 0) buildSpacing(score, first + k, first + k);
        total += barWeight(score, bar, bar.naturalWidth);
    }
    const int64_t content = total;
    // 2. A short last line is weighed as if it held the usual number of bars.
    if (lineIndex == static_cast<int>(score.lines.size()) - 1) {
        const int64_t usual = line.barCount > 0 ? line.barCount : barsPerLineOf(score, line) - 1;
        if (count < usual) total += (usual - count) * int64_t(barAt(count - 1).lengthTicks);
    }
    const int64_t width = int64_t(line.right) - line.left;
    // 3. Proportional x; with no weight at all the bars share the line equally.
    auto proportional = [&](int64_t weightStart, int32_t k) -> int64_t {
        if (total <= 0) return line.left + roundToInt(double(width) * k / count);
        return line.left + roundToInt(double(width) * double(weightStart) / double(total));
    };
    // 4. Fixed prefixes come out of the proportional shares and go in front of each bar.
    std::vector<int32_t> prefixes(static_cast<size_t>(count));
    int64_t prefixSum = 0;
    for (int32_t k = 0; k < count; ++k) {
        prefixes[size_t(k)] = fixedPrefix(barAt(k), u);
        prefixSum += prefixes[size_t(k)];
    }
    const int64_t freeWidth = width - prefixSum;
    auto withPrefixes = [&](int64_t x, int64_t prefixesBefore) -> int64_t {
        if (width == 0) return line.left + prefixesBefore;
        return line.left + roundToInt(double(x - line.left) * double(freeWidth) / double(width)) +
               prefixesBefore;
    };
    int64_t before = 0;
    for (int32_t k = 0; k < count; ++k) {
        CScoreBar& bar = barAt(k);
        bar.left =
            k == 0 ? line.left : saturate(withPrefixes(proportional(starts[size_t(k)], k), before));
        before += prefixes[size_t(k)];
    }
    // 5. Each bar ends where the next begins; the last bar at the line's end, or for a
    // short last line where its own share ends.
    for (int32_t k = 0; k + 1 < count; ++k)
        barAt(k).right = barAt(k + 1).left;
    if (total > content) line.right = saturate(withPrefixes(proportional(content, count), before));
    barAt(count - 1).right = line.right;
    for (int32_t k = 0; k < count; ++k)
        updateDrawnPositions(barAt(k), u);
}

}  // namespace ks
