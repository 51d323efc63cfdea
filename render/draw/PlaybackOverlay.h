// What a view draws over the page while following playback: the red playback cursor
// through the stave, and a red ring around each note head that is sounding now. Only
// screen surfaces show it; printing and exports draw the page alone.
#pragma once

#include <QRect>
#include <cstdint>
#include <vector>

#include "render/draw/DrawContext.h"

namespace ks {

// A note being played, as the playback engine lists it.
struct SoundingHead {
    int32_t scoreTime = 0;
    int32_t trackIndex = 0;
    int32_t pitch = 0;
    bool operator==(const SoundingHead&) const = default;
};

struct PlaybackOverlay {
    int32_t cursorTick = -1;  // score tick of the cursor line; -1 draws no line
    std::vector<SoundingHead> heads;
    bool operator==(const PlaybackOverlay&) const = default;
};

// The index of the line that shows score tick `tick` (the end of the music belongs to
// the last bar), or -1.
int playbackCursorLine(const CDrawContext& ctx, int32_t tick);

// The cursor line's rectangle in page units (the stave's height and a little more, at
// the x where a note at that tick has the middle of its head); empty when the line
// holding the tick is not drawn.
QRect playbackCursorRect(const CDrawContext& ctx, int32_t tick);

// The ring around one sounding head in page units; empty when the note is not drawn
// (its part is empty, its line is on another page, or no chord holds it).
QRect soundingHeadRect(const CDrawContext& ctx, const SoundingHead& head);

// Every rectangle the overlay paints, with room for the pens: what a view repaints when
// the overlay changes.
std::vector<QRect> playbackOverlayRects(const CDrawContext& ctx, const PlaybackOverlay& overlay);

// Draws the overlay on a screen surface; nothing on printers and exports.
void DrawPlaybackOverlay(CDrawContext& ctx, const PlaybackOverlay& overlay);

}  // namespace ks
