// Questions about the notes of the shown parts (the tracks the part map shows).
#pragma once

#include <cstdint>
#include <limits>

#include "model/Score.h"

namespace ks {

constexpr int32_t kNoShownNote = std::numeric_limits<int32_t>::max();

// Start of the earliest note of the shown parts, or kNoShownNote.
int32_t firstShownNoteTick(const CScore& score);

}  // namespace ks
