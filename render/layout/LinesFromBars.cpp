#include "LinesFromBars.h"

#include <algorithm>

#include "ShownNotes.h"
#include "StaveGeometry.h"

namespace ks {

int32_t barsPerLineOf(const CScore& score, const CScoreLine& line) {
    return line.barCount > 0 ? line.barCount : std::max(score.prefs.barsperline, 1);
}

bool hasLeadInBar(const CScore& score) {
    const CDisplaySettings& p = score.prefs;
    if (!p.hiderestsatstart || !p.indentatstart || !p.usebarzero) return false;
    const int32_t first = firstShownNoteTick(score);
    return first != kNoShownNote && first != 0;
}

void linesFromBars(CScore& score) {
    const int64_t barCount = static_cast<int64_t>(score.bars.size());
    int32_t kind = 0;
    if (isConventionalStaveType(score.prefs.stavetype)) {
        kind = LineFlag::Conventional;
    } else {
        if (score.prefs.reducedspacing) kind |= LineFlag::ReducedSpacing;
        if (score.prefs.showonlyusedlines) kind |= LineFlag::OnlyUsedLines;
    }
    const bool leadIn = hasLeadInBar(score);
    size_t lineIndex = 0;
    int64_t bar = 0;
    while (bar < barCount) {
        if (lineIndex >= score.lines.size()) score.lines.emplace_back();
        CScoreLine& line = score.lines[lineIndex];
        int64_t count = barsPerLineOf(score, line);
        if (lineIndex == 0 && leadIn) count += 1;
        count = std::min(count, barCount - bar);
        line.firstBar = static_cast<int32_t>(bar);
        line.barsInLine = static_cast<int32_t>(count);
        line.flags = kind;
        for (int64_t b = bar; b < bar + count; ++b)
            score.bars[static_cast<size_t>(b)].line = static_cast<int32_t>(lineIndex);
        bar += count;
        ++lineIndex;
    }
    score.lines.resize(lineIndex);
}

}  // namespace ks
