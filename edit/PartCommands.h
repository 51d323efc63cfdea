// Choosing the part (hand) being edited, and the Go to Bar command's positions.
#pragma once

#include "model/Score.h"

namespace ks {

// Part p can be chosen: it shows a track.
bool partHasTrack(const CScore& score, int part);

// Makes part p current: the selection is cleared and the notes at the cursor selected.
// False (nothing changes) when the part shows no track.
bool choosePart(CScore& score, int part);

// The nearest part above (direction +1) or below (-1) the current one that shows a
// track, made current; false when there is none.
bool stepPart(CScore& score, int direction);

// A typed bar number (1-based) brought into 1 .. bar count.
int32_t clampedBarNumber(int32_t typed, int32_t barCount);

// The bar number (1-based) the cursor stands in.
int32_t cursorBarNumber(const CScore& score);

// Music mode's Go to Bar: the selection cleared, the cursor at the start of bar
// `number` (1-based, within the score and at most the score length - step, which
// forces note editing), the notes there selected.
void goToBarInMusic(CScore& score, int32_t number, int32_t step);

}  // namespace ks
