#include "LayoutCommands.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "FullRelayout.h"
#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "LinesFromBars.h"
#include "PositionBars.h"
#include "StackLines.h"
#include "TickMapping.h"

namespace ks {

namespace {

// Line sizes are stored in hundred-thousandths; steps are kept on that grid so that
// repeated steps do not drift.
constexpr double kSizeGrid = 100000.0;

CScoreLine* lineAt(CScore& score, int index) {
    if (index < 0 || index >= static_cast<int>(score.lines.size())) return nullptr;
    return &score.lines[static_cast<size_t>(index)];
}

bool atRest(const CScoreLine& l) {
    return l.size == 1.0 && l.x == 0 && l.y == 0 && l.yt == kLineYtUnset;
}

void resetPosition(CScoreLine& l) {
    l.size = 1.0;
    l.x = 0;
    l.y = 0;
    l.yt = kLineYtUnset;
}

}  // namespace

bool changeBarsInLine(CScore& score, int index, int delta, const PageGeometry& page) {
    CScoreLine* line = lineAt(score, index);
    if (!line || score.bars.empty()) return false;
    const int64_t current = barsPerLineOf(score, *line);
    const int64_t wanted =
        std::clamp<int64_t>(current + delta, 1, static_cast<int64_t>(score.bars.size()));
    if (wanted == current) return false;
    line->barCount = static_cast<int32_t>(wanted);
    fullRelayout(score, page);
    return true;
}

bool changeLineSize(CScore& score, int index, int steps, const PageGeometry& page) {
    CScoreLine* line = lineAt(score, index);
    if (!line) return false;
    const double current = std::isfinite(line->size) ? line->size : 1.0;
    const double grid = std::round(current * kSizeGrid) + double(steps) * kLineSizeStep * kSizeGrid;
    const double wanted = std::clamp(grid / kSizeGrid, kMinLineSize, kMaxLineSize);
    if (wanted == line->size) return false;
    line->size = wanted;
    fullRelayout(score, page);
    return true;
}

bool resetBarsInLine(CScore& score, int index, const PageGeometry& page) {
    CScoreLine* line = lineAt(score, index);
    if (!line || line->barCount == 0) return false;
    line->barCount = 0;
    fullRelayout(score, page);
    return true;
}

bool resetLinePositions(CScore& score, const PageGeometry& page) {
    if (std::all_of(score.lines.begin(), score.lines.end(), atRest)) return false;
    for (CScoreLine& l : score.lines)
        resetPosition(l);
    fullRelayout(score, page);
    return true;
}

int32_t defaultTitleLineHeight(const CScore& score) {
    return 8 * std::min(score.prefs.fontsize, 61);
}

bool resetAllLayoutAdjustments(CScore& score, const PageGeometry& page, int32_t titleLineHeight) {
    CScore before = score;
    for (CScoreLine& l : score.lines) {
        resetPosition(l);
        l.barCount = 0;
    }
    score.prefs.textoffset1 = score.prefs.textoffset2 = score.prefs.textoffset3 = 0;
    CTextBox& title = score.titleBox;
    const int64_t titleLines =
        title.lines.isEmpty() ? (title.text.isEmpty() ? 0 : 1) : title.lines.size();
    title.left = page.left();
    title.right = page.right();
    title.top = page.top();
    title.bottom = saturate(int64_t(title.top) + titleLines * std::max(titleLineHeight, 0));
    CTextBox& sub = score.subtitleBox;
    const int64_t subHeight = int64_t(sub.bottom) - sub.top;
    sub.top = title.bottom;
    sub.bottom = saturate(sub.top + subHeight);
    const bool changed =
        !(score.lines == before.lines && score.prefs == before.prefs &&
          score.titleBox == before.titleBox && score.subtitleBox == before.subtitleBox);
    if (!changed) return false;
    fullRelayout(score, page);
    return true;
}

namespace {

// x of the first shown note of the line's first bar, or nothing when it has none.
std::optional<int32_t> firstNoteX(const CScore& score, const CScoreLine& line, double u) {
    const CScoreBar& bar = score.bar(line.firstBar);
    std::optional<int32_t> tick;
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        for (const CChord& c : score.track(t).chords) {
            if (c.bar > line.firstBar) break;
            if (c.bar == line.firstBar && !c.isRest()) {
                tick = tick ? std::min(*tick, c.time) : c.time;
                break;
            }
        }
    }
    if (!tick) return std::nullopt;
    return tickToX(bar, *tick, u);
}

}  // namespace

bool autoAdjustFirstLine(CScore& score, const PageGeometry& page) {
    if (score.lines.empty()) return false;
    const CScoreLine original = score.lines.front();
    score.lines.front().x = 0;
    score.lines.front().size = 1.0;
    fullRelayout(score, page);
    const double u = layoutUnit(score);
    const int64_t halfUnit = roundToInt(u / 2);
    // Moving left: each step shifts the line by about one unit, so the number of
    // steps is bounded by the distance to go. Only the first line's own bars move.
    auto notesStartLate = [&]() {
        const CScoreLine& line = score.lines.front();
        const std::optional<int32_t> x = firstNoteX(score, line, u);
        return x && *x > int64_t(page.left()) + line.indentLeft + halfUnit;
    };
    const int64_t maxSteps = int64_t(page.right()) - page.left() + 2;
    for (int64_t step = 0; step < maxSteps && notesStartLate(); ++step) {
        score.lines.front().x -= 1;
        positionBars(score, 0, page);
    }
    // Lengthening: only the line's right end depends on its size.
    const int64_t target = int64_t(page.right()) - halfUnit;
    CScoreLine& line = score.lines.front();
    while (line.right < target && line.size < kMaxLineSize) {
        line.size =
            std::min((std::round(line.size * kSizeGrid) + kLineSizeStep * kSizeGrid) / kSizeGrid,
                     kMaxLineSize);
        placeLineHorizontally(line, score, page, u);
    }
    stackLines(score, page);
    const CScoreLine& now = score.lines.front();
    if (now.x == original.x && now.size == original.size) {
        // Nothing moved in the end: put the exact original record back.
        score.lines.front() = original;
        fullRelayout(score, page);
        return false;
    }
    return true;
}

}  // namespace ks
