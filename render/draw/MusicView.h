// Music and Track select mode: the view's own long lines, drawn only where they can be
// seen, with the editing marks over them (the cursor box, the selected notes and picked
// objects, the rubber band) and, in Track select mode, which track is highlighted.
#pragma once

#include <QRect>
#include <vector>

#include "render/draw/DrawContext.h"

namespace ks {

// Each line cut to the bars that reach into the page-unit span [left, right], with half
// that span and one bar more on either side for marks that reach beyond their bars.
std::vector<CScoreLine> visibleLineParts(const CScore& score, const std::vector<CScoreLine>& lines,
                                         int32_t left, int32_t right);

// The bar whose span [left, right) holds x on the long line (the first or last bar
// beyond the ends); -1 without bars.
int barAtX(const CScore& score, int32_t x);

// The lines of the view with their chords and events, then the editing marks.
void DrawMusicView(CDrawContext& ctx);

// The cursor box of the score's selection on the Music-mode line (page units): from the
// x of its start to the x of its end (a head wide for a bare cursor), from half a
// position above its top pitch to half a position below its bottom pitch.
QRect cursorBoxRect(const CDrawContext& ctx);

// In Track select mode: the band of the line of track t, from above its stave to below.
QRect trackBandRect(const CDrawContext& ctx, int track);

}  // namespace ks
