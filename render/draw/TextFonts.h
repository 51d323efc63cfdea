// The text fonts of a page that come from the score: title and subtitle (a box's own
// user font, else a default), and the user fonts of lyrics and annotations scaled to
// the stave unit.
#pragma once

#include "render/draw/DrawContext.h"

namespace ks {

// User font `index` of the score, or null when there is none with that index.
const CUserFont* userFontAt(const CScore& score, int index);

// A user font as the surface asks for it, at `height` (negative = character height).
FontSpec fontFromUserFont(const CUserFont& font, int height);

// The title box's user font, else "Times New Roman" -8 x min(fontsize, 61).
FontSpec titleFont(const CDrawContext& ctx);
// The subtitle box's user font, else "Times New Roman" -300.
FontSpec subtitleFont(const CDrawContext& ctx);

// The event's user font (the default user font when the index names none) with its
// height scaled to round(u) x height / 30: the words of annotations and tempo marks,
// and lyrics.
FontSpec eventWordFont(const CDrawContext& ctx, int fontIndex);
// The same description in the music font at round(u) x height / 15: the symbol that
// leads an annotation or a tempo mark.
FontSpec eventSymbolFont(const CDrawContext& ctx, int fontIndex);

}  // namespace ks
