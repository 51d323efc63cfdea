#include "StackLines.h"

#include <algorithm>
#include <cmath>

#include "BarFlags.h"
#include "FooterReserve.h"
#include "LayoutMath.h"
#include "LayoutUnit.h"
#include "PositionBars.h"

namespace ks {

namespace {

bool hasHeight(const CTextBox& box) {
    return box.bottom > box.top;
}

}  // namespace

int32_t firstPageContentTop(const CScore& score, const PageGeometry& page, double u) {
    const CDisplaySettings& p = score.prefs;
    int64_t b = page.top();
    if (p.showtitle) {
        b = hasHeight(score.titleBox) ? std::max<int64_t>(b, score.titleBox.bottom)
                                      : b + roundToInt(24 * u);
        if (p.showsubtitle)
            b = hasHeight(score.subtitleBox) ? std::max<int64_t>(b, score.subtitleBox.bottom)
                                             : b + roundToInt(6 * u);
    }
    if (p.showartist) b += roundToInt(4 * u);
    return saturate(b);
}

int32_t verticalShiftOf(const CScoreLine& line) {
    if ((line.flags & LineFlag::Conventional) && line.yt != kLineYtUnset) return line.yt;
    return line.y;
}

void addVerticalShift(CScoreLine& line, int64_t delta) {
    const int64_t v = int64_t(verticalShiftOf(line)) + delta;
    if (line.flags & LineFlag::Conventional) {
        int32_t yt = saturate(v);
        if (yt == kLineYtUnset) yt -= 1;
        line.yt = yt;
    } else {
        line.y = saturate(v);
    }
}

void applyLyricSpaces(CScoreLine& line, const CDisplaySettings& prefs) {
    line.spaceAbove = prefs.lyricposition == 0 ? 30 : 8;
    line.spaceBelow = prefs.lyricposition == 2 ? 30 : 8;
}

void placeLineHorizontally(CScoreLine& line, const CScore& score, const PageGeometry& page,
                           double u) {
    const bool keyboards =
        score.prefs.showkeyboards && !isConventionalStaveType(score.prefs.stavetype);
    line.indentLeft = roundToInt((keyboards ? 9 : 3) * u);
    line.indentRight = keyboards ? roundToInt(9 * u) : 0;
    const int64_t a = int64_t(page.left()) + line.indentLeft;
    const double size = std::isfinite(line.size) ? line.size : 1.0;
    const int64_t e = a + roundToInt(size * double(int64_t(page.right()) - line.indentRight - a));
    const int64_t h = roundToInt(u * line.x);
    line.left = saturate(a + h);
    line.right = saturate(e + h);
}

void stackLines(CScore& score, const PageGeometry& page) {
    const double u = layoutUnit(score);
    const StaveRange range = defaultStaveRange(score.prefs.stavetype);
    const int32_t reserve = footerReserve(score, u);
    const int64_t limit = int64_t(page.bottom()) - reserve;
    int64_t b = firstPageContentTop(score, page, u);
    int32_t pageIndex = 0;
    bool freshPage = b == page.top();
    for (size_t i = 0; i < score.lines.size(); ++i) {
        CScoreLine& line = score.lines[i];
        for (;;) {
            applyLyricSpaces(line, score.prefs);
            line.handGap = handGapFor(score.prefs, line);
            const int64_t top =
                b + roundToInt(u * verticalShiftOf(line)) + roundToInt(u * line.spaceAbove);
            placeStave(line, u, range, saturate(top));
            // A line that does not fit starts the next page; on a fresh page it stays,
            // however tall, so that every line is placed exactly once.
            if (line.staveBottom > limit && !freshPage) {
                b = page.top();
                ++pageIndex;
                freshPage = true;
                continue;
            }
            break;
        }
        applyBarFlags(score, line.firstBar, line.barsInLine);
        positionBars(score, static_cast<int>(i), page);
        line.page = pageIndex;
        b = int64_t(line.staveBottom) + roundToInt(u * line.spaceBelow);
        freshPage = false;
    }
    const int32_t pageCount = score.lines.empty() ? 0 : score.lines.back().page + 1;
    score.pages.assign(static_cast<size_t>(pageCount), CScorePage{.reservedBottom = reserve});
    for (int32_t k = 0, i = 0; k < pageCount; ++k) {
        CScorePage& p = score.pages[static_cast<size_t>(k)];
        p.firstLine = i;
        while (i < static_cast<int32_t>(score.lines.size()) && score.lines[size_t(i)].page == k)
            ++i;
        p.lineCount = i - p.firstLine;
    }
}

}  // namespace ks
