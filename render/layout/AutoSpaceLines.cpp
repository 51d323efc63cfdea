#include "AutoSpaceLines.h"

#include <algorithm>

#include "FullRelayout.h"
#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "StackLines.h"
#include "StaveGeometry.h"

namespace ks {

namespace {

struct Extent {
    int64_t top;
    int64_t bottom;
};

// The line's stave widened by the pitches its bars reach with their stems.
Extent lineExtent(const CScore& score, const CScoreLine& line, double u, StaveRange range) {
    CScoreLine reach = line;
    const int32_t n = static_cast<int32_t>(score.bars.size());
    const int32_t first = std::clamp(line.firstBar, 0, n);
    const int32_t end =
        static_cast<int32_t>(std::min<int64_t>(int64_t(first) + line.barsInLine, n));
    for (int32_t b = first; b < end; ++b) {
        const CScoreBar& bar = score.bars[static_cast<size_t>(b)];
        if (bar.extentHigh >= bar.extentLow) {
            reach.pitchHigh = std::max(reach.pitchHigh, bar.extentHigh);
            reach.pitchLow = std::min(reach.pitchLow, bar.extentLow);
        }
    }
    return {std::min<int64_t>(line.staveTop, pitchToY(line, u, staveTopPitch(reach, range))),
            std::max<int64_t>(line.staveBottom, pitchToY(line, u, staveBottomPitch(reach, range)))};
}

}  // namespace

bool autoSpaceLines(CScore& score, const PageGeometry& page) {
    const double u = layoutUnit(score);
    const StaveRange range = defaultStaveRange(score.prefs.stavetype);
    std::vector<int64_t> shifts(score.lines.size(), 0);
    bool changed = false;
    for (size_t k = 0; k < score.pages.size(); ++k) {
        const CScorePage& p = score.pages[k];
        const int32_t count = p.lineCount;
        if (count <= 0 || p.firstLine < 0 ||
            int64_t(p.firstLine) + count > static_cast<int64_t>(score.lines.size()))
            continue;
        const int64_t pageTop = k == 0 ? firstPageContentTop(score, page, u) : page.top();
        const int64_t pageBottom = int64_t(page.bottom()) - p.reservedBottom;
        std::vector<int64_t> gaps;
        gaps.reserve(static_cast<size_t>(count) + 1);
        int64_t previousBottom = pageTop;
        for (int32_t i = p.firstLine; i < p.firstLine + count; ++i) {
            const Extent e = lineExtent(score, score.line(i), u, range);
            gaps.push_back(e.top - previousBottom);
            previousBottom = e.bottom;
        }
        gaps.push_back(pageBottom - previousBottom);
        int64_t sum = 0;
        for (int64_t g : gaps)
            sum += g;
        const int64_t mean = sum / static_cast<int64_t>(gaps.size());
        for (int32_t j = 0; j < count; ++j) {
            double shift = double(gaps[size_t(j)] - mean) / u;
            if (j == 0) shift /= 2;
            const int64_t whole = roundToInt(shift);
            shifts[static_cast<size_t>(p.firstLine + j)] = whole;
            changed = changed || whole != 0;
        }
    }
    if (!changed) return false;
    for (size_t i = 0; i < score.lines.size(); ++i)
        if (shifts[i] != 0) addVerticalShift(score.lines[i], -shifts[i]);
    fullRelayout(score, page);
    return true;
}

}  // namespace ks
