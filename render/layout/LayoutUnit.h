// The stave unit `u`: the height of one stave position in thousandths of an inch.
#pragma once

#include "model/Score.h"

namespace ks {

// Limits that keep every product of the unit with a document value inside int64.
constexpr double kMinUnit = 1.0;
constexpr double kMaxUnit = 1000000.0;

// The unit for a font size when no surface has measured the music font: the cell
// height of "6" in the shipped font is fontsize / 1.8.
double unitFor(int32_t fontsize);

// The unit the layout works with: the score's stored unit, or the font-size value
// when none is stored yet, kept inside [kMinUnit, kMaxUnit].
double layoutUnit(const CScore& score);

// One stave position in whole page units: round(u).
int32_t unitStep(double u);

}  // namespace ks
