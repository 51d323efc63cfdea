// The current note length: one index shared by every open document, the cursor step
// and the length of inserted notes. Not saved; each start of the program begins at the
// crotchet.
#pragma once

#include <cstdint>

namespace ks {

constexpr int kNoteLengthCount = 16;
constexpr int kDefaultNoteLength = 3;  // crotchet

int currentNoteLength();
// Any index is taken; indexes outside 0..15 stand for a factor of 1.
void setCurrentNoteLength(int index);

// The factor of a length index as a 16.16 fixed-point multiple of a crotchet.
int32_t noteLengthFactor(int index);
// (ppqn x factor) >> 16, at least 1 tick.
int32_t noteLengthTicks(int32_t ppqn, int index);
// The length of the current note length at `ppqn`.
int32_t currentStep(int32_t ppqn);

}  // namespace ks
