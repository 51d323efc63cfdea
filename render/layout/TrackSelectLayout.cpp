#include "TrackSelectLayout.h"

#include <algorithm>

#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "MusicLine.h"
#include "StackLines.h"
#include "StaveGeometry.h"

namespace ks {

std::vector<CScoreLine> layoutTrackSelectLines(const CScore& score, const PageGeometry& page) {
    const double u = layoutUnit(score);
    const StaveRange range = defaultStaveRange(score.prefs.stavetype);
    std::vector<CScoreLine> lines;
    lines.reserve(static_cast<size_t>(score.trackCount()));
    int64_t b = page.top();
    for (const CTrack& track : score.tracks) {
        CScoreLine line;
        line.barsInLine = static_cast<int32_t>(score.bars.size());
        line.flags = score.prefs.reducedspacing ? LineFlag::ReducedSpacing : 0;
        int32_t high = range.top - 1;
        int32_t low = range.bottom;
        for (const CChord& c : track.chords) {
            if (c.isRest()) continue;
            high = std::max(high, c.pitchHigh);
            low = std::min(low, c.pitchLow);
        }
        line.pitchHigh = std::clamp(high, 0, 127);
        line.pitchLow = std::clamp(low, 0, 127);
        applyLyricSpaces(line, score.prefs);
        line.handGap = handGapFor(score.prefs, line);
        b += roundToInt(u * line.spaceAbove);
        placeStave(line, u, range, saturate(b));
        placeLongLine(line, score, page, u);
        b = int64_t(line.staveBottom) + roundToInt(u * line.spaceBelow);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace ks
