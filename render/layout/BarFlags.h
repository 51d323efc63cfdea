// What a bar shows at its start: clef, time signature, key signature.
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// The time signature that starts at bar b, or null.
const CTimeSignature* timeSignatureStartingAt(const CScore& score, int32_t bar);
// The key (0..29) of a key signature starting at bar b, or -1.
int32_t keySignatureStartingAt(const CScore& score, int32_t bar);

// A key signature (other than none) starts at the bar and keys are shown.
bool barShowsKeySignature(const CScore& score, int32_t bar);

// Sets the clef, time-signature and key-signature bits (other bits are kept) and the
// accidental count of every bar of bars [first, first + count), the first of which
// starts a line.
void applyBarFlags(CScore& score, int32_t first, int32_t count);

}  // namespace ks
