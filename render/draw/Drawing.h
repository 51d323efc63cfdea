// Drawing a page: the entry points of the drawing code. A page is drawn as its
// furniture (titles, footers), then for each of its lines the stave with its bar lines
// and bar furniture, the chords of the shown parts, and the events.
#pragma once

#include "render/draw/DrawContext.h"

namespace ks {

// The whole page `ctx.view.page`: furniture, then every line on it.
void DrawPage(CDrawContext& ctx);

// Stave, bar lines and keyboard guides of one line; calls DrawBarFurniture for every
// bar after its bar lines. Lines on other pages are skipped (Page and Layout modes).
void DrawLine(CDrawContext& ctx, int line);
// The chords (heads, stems, beams, ties, rests) of every shown part on one line.
void DrawChords(CDrawContext& ctx, int line);
// Clefs, key and time signature, bar number and volta bracket of one bar.
void DrawBarFurniture(CDrawContext& ctx, int bar, int line);
// The events of one line: the parts' tracks in part order, the annotation track, the
// tempo track.
void DrawEvents(CDrawContext& ctx, int line);
// A title or subtitle box: lines centred between its edges, one text height apart.
void DrawTextBox(CDrawContext& ctx, const CTextBox& box, const FontSpec& font);

}  // namespace ks
