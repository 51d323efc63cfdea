#include "LegacyLineAdjustments.h"

namespace ks {

void applyLegacyLineAdjustments(CScore& score) {
    if (score.linePaddings.empty()) return;
    const int64_t possibleLines = static_cast<int64_t>(score.bars.size());
    for (const CLinePadding& pad : score.linePaddings) {
        if (pad.line < 0 || pad.line >= possibleLines) continue;
        if (static_cast<size_t>(pad.line) >= score.lines.size())
            score.lines.resize(static_cast<size_t>(pad.line) + 1);
        CScoreLine& line = score.lines[static_cast<size_t>(pad.line)];
        line.spaceAbove = pad.padding;
        line.lpad = pad.lyricPadding;
        line.barCount = pad.barCount;
        line.x = pad.offset;
        line.size = pad.width;
    }
    score.linePaddings.clear();
}

}  // namespace ks
