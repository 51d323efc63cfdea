// Bar line styles: each bar's left and right bar line (Normal, Thick, Double, Repeat,
// Final, None), set from the cursor's bar.
#pragma once

#include "edit/EditContext.h"

namespace ks {

constexpr int32_t kBarlineStyleCount = 6;

// Sets the left (or right) style of the cursor's bar to `style` 0..5 ("Bar Line Style"
// of the bar); the first bar's left bar line never changes. The repeats and the
// playback map are rebuilt.
EditOutcome setBarlineStyle(EditContext& ctx, bool left, int32_t style);

// Steps the left (or right) style of the cursor's bar to the next one, after None back
// to Normal.
EditOutcome stepBarlineStyle(EditContext& ctx, bool left);

}  // namespace ks
