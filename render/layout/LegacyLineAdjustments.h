// Per-line adjustments read from predecessor documents.
#pragma once

#include "model/Score.h"

namespace ks {

// Moves each line padding record into the line of its index (creating default lines
// up to it) and discards the records. Records for lines that cannot exist (a negative
// index, or one not below the bar count) are dropped.
void applyLegacyLineAdjustments(CScore& score);

}  // namespace ks
