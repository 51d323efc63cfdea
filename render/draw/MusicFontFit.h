// The music font for one output surface. Layout positions come from the reference
// metrics; a device that renders glyphs at another size than the reference would
// draw heads and flags that no longer fit the stave, so the font is made again at
// the largest height whose cell on that device is no taller than the reference cell.
#pragma once

#include "render/surface/Surface.h"

namespace ks {

// Candidate heights run from (em + 20) down to (em - 20) in steps of one; the first
// whose cell on `surface` is no taller than the reference cell of `font` is taken.
// When the surface measures like the reference, or no candidate fits, `font` is kept.
FontSpec fitMusicFont(const CSurface& surface, const FontSpec& font);

// The cell height of a font in the device-independent reference metrics.
double referenceCellHeight(const FontSpec& font);

}  // namespace ks
