// The Layout-mode commands on lines, as plain operations on the score. Each returns
// whether it changed anything; when it returns false the score is untouched, so a
// caller that opened an undo step can discard it. Every change ends with a full
// relayout.
#pragma once

#include <cstdint>

#include "PageGeometry.h"
#include "model/Score.h"

namespace ks {

constexpr double kLineSizeStep = 0.005;
constexpr double kMinLineSize = 0.1;
constexpr double kMaxLineSize = 2.0;

// Bars in the line (its own count, or the preference) +/- delta, kept within 1..bar
// count.
bool changeBarsInLine(CScore& score, int line, int delta, const PageGeometry& page);

// Line size +/- steps x 0.005, kept within 0.1..2.0.
bool changeLineSize(CScore& score, int line, int steps, const PageGeometry& page);

// The line goes back to the bars-per-line preference.
bool resetBarsInLine(CScore& score, int line, const PageGeometry& page);

// Every line back to full size, no horizontal or vertical shift.
bool resetLinePositions(CScore& score, const PageGeometry& page);

// As resetLinePositions, and every line back to the bars-per-line preference, the
// text offsets to 0, the title box back at the top margin across the page rectangle,
// one title line high per line of its text, and the subtitle box just below it.
// `titleLineHeight` is the height of one line of the title font.
bool resetAllLayoutAdjustments(CScore& score, const PageGeometry& page, int32_t titleLineHeight);

// Height of one title line when no surface has measured the title font: the title
// font's character height.
int32_t defaultTitleLineHeight(const CScore& score);

// The first line is reset to full size and no shift, moved left unit by unit while its
// first notes start right of (left margin + indent + round(u/2)), then lengthened in
// 0.005 steps (up to size 2.0) until its right end reaches (right edge - round(u/2)).
bool autoAdjustFirstLine(CScore& score, const PageGeometry& page);

}  // namespace ks
