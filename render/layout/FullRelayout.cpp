#include "FullRelayout.h"

#include <cmath>

#include "BarFlags.h"
#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "LegacyLineAdjustments.h"
#include "LinesFromBars.h"
#include "PitchRanges.h"
#include "PreventOverlaps.h"
#include "ShownNotes.h"
#include "Spacing.h"
#include "StackLines.h"

namespace ks {

namespace {

// Cropped-start and cropped-end marks of the first and last line and bar.
void applyIndentFlags(CScore& score) {
    const CDisplaySettings& p = score.prefs;
    for (CScoreBar& bar : score.bars)
        bar.flags &= ~(BarFlag::CroppedStart | BarFlag::CroppedEnd);
    if (score.lines.empty()) return;
    if (p.hiderestsatstart && p.indentatstart &&
        firstShownNoteTick(score) > score.bars.front().startTick &&
        firstShownNoteTick(score) != kNoShownNote)
        score.lines.front().flags |= LineFlag::CroppedStart;
    if (p.hiderestsatend && p.indentatend) score.lines.back().flags |= LineFlag::CroppedEnd;
    if (p.hiderestsatstart) score.bars.front().flags |= BarFlag::CroppedStart;
    if (p.hiderestsatend) score.bars.back().flags |= BarFlag::CroppedEnd;
}

// Stave top of the first line for a given vertical shift, and whether it stays on the
// first page, without restacking the rest.
struct FirstLineProbe {
    int32_t staveTop;
    bool onFirstPage;
};

FirstLineProbe probeFirstLine(const CScore& score, const PageGeometry& page, double u,
                              int64_t shift) {
    CScoreLine line = score.lines.front();
    line.y = line.yt = 0;
    addVerticalShift(line, shift);
    const int64_t b = firstPageContentTop(score, page, u);
    const int64_t top = b + roundToInt(u * verticalShiftOf(line)) + roundToInt(u * line.spaceAbove);
    placeStave(line, u, defaultStaveRange(score.prefs.stavetype), saturate(top));
    const int64_t limit = int64_t(page.bottom()) - score.pages.front().reservedBottom;
    const bool fits = line.staveBottom <= limit || b == page.top();
    return {line.staveTop, fits};
}

// The first line moves down in whole units until its stave top is no longer above
// the bottom of the title box (or until it leaves the first page). The smallest such
// shift is found by bisection, since the stave top only grows with the shift.
void keepFirstLineBelowTitle(CScore& score, const PageGeometry& page) {
    if (!score.prefs.showtitle || score.lines.empty() || score.pages.empty()) return;
    const CScoreLine& first = score.lines.front();
    const int32_t titleBottom = score.titleBox.bottom;
    if (first.page != 0 || first.staveTop >= titleBottom) return;
    const double u = layoutUnit(score);
    const int64_t start = verticalShiftOf(first);
    auto done = [&](int64_t extra) {
        const FirstLineProbe p = probeFirstLine(score, page, u, start + extra);
        return !p.onFirstPage || p.staveTop >= titleBottom;
    };
    int64_t low = 0, high = 1;
    while (!done(high) && start + high < kInt32Max)
        high *= 2;
    while (high - low > 1) {
        const int64_t mid = low + (high - low) / 2;
        (done(mid) ? high : low) = mid;
    }
    addVerticalShift(score.lines.front(), high);
    stackLines(score, page);
}

}  // namespace

void fullRelayout(CScore& score, const PageGeometry& page) {
    if (!std::isfinite(score.unit) || score.unit <= 0) score.unit = unitFor(score.prefs.fontsize);
    // 1. Derived chords and beams (with the stems of the two hands turned apart where
    // they would collide), and one bar record per bar.
    score.rebuildAllTracks();
    preventOverlaps(score);
    score.rebuildBars();
    // 2.
    applyLegacyLineAdjustments(score);
    // 3.
    linesFromBars(score);
    barPitchRanges(score);
    linePitchRanges(score);
    conventionalHandGaps(score);
    buildSpacing(score, -1, -1);
    // 4.
    applyIndentFlags(score);
    // 5.
    stackLines(score, page);
    // 6.
    keepFirstLineBelowTitle(score, page);
}

bool setLayoutUnit(CScore& score, double u, const PageGeometry& page) {
    if (!std::isfinite(u) || u <= 0 || u == score.unit) return false;
    score.unit = u;
    fullRelayout(score, page);
    return true;
}

}  // namespace ks
