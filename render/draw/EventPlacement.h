// Where the marks of a line go: which bars and ticks a line covers, the x of a tick as
// notes are placed, the chord at a time, and the colour of a part's marks.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cstdint>

#include "render/draw/DrawContext.h"

namespace ks {

// Points handed to the surface keep within +-2^30 page units: far beyond any page, and
// any sum of two of them, or a rectangle's size, still fits an int. Marks are placed in
// 64-bit arithmetic and brought into that range here, so extreme layouts of hostile
// documents cannot overflow.
constexpr int64_t kCoordLimit = int64_t(1) << 30;
// Rounded half away from zero, as all placement is.
inline int32_t coord(double v) {
    if (!(v == v)) return 0;  // NaN
    const double c = std::clamp(v, double(-kCoordLimit), double(kCoordLimit));
    return static_cast<int32_t>(c < 0 ? c - 0.5 : c + 0.5);
}
inline QPoint pagePoint(double x, double y) {
    return QPoint(coord(x), coord(y));
}
// The rectangle with these corners, in either order.
inline QRect pageRect(double x0, double y0, double x1, double y1) {
    return QRect(pagePoint(std::min(x0, x1), std::min(y0, y1)),
                 pagePoint(std::max(x0, x1), std::max(y0, y1)));
}

// The bars [firstBar, endBar) of a line and the ticks [startTick, endTick) they cover.
struct LineSpan {
    int firstBar = 0;
    int endBar = 0;
    int32_t startTick = 0;
    int32_t endTick = 0;

    bool holds(int32_t tick) const { return tick >= startTick && tick < endTick; }
};

LineSpan lineSpan(const CDrawContext& ctx, const CScoreLine& line);

// The bar of the line that holds `tick`, or -1. With `atEnd` a tick on a bar line
// belongs to the bar that ends there (the end of a wedge or a tie).
int barOnLine(const CDrawContext& ctx, const LineSpan& span, int32_t tick, bool atEnd = false);

// The index of the line that holds `tick` (0 for the view's single line), or -1.
int lineOfTick(const CDrawContext& ctx, int32_t tick, bool atEnd = false);

// x of a tick in a bar, where a chord starting there has its head (the bar prefix and
// the lead before the first note taken into account).
int32_t tickX(const CDrawContext& ctx, int bar, int32_t tick);

// The index of the chord of a track that starts at `tick`, else of the one sounding at
// it; -1 when the track has nothing there.
int chordAtTick(const CTrack& track, int32_t tick);

// Marks of a part are grey in Music mode unless the part is being edited.
QColor partColour(const CDrawContext& ctx, int part);

// C#, D#, F#, G# and A#.
bool isBlackKey(int32_t pitch);

// The stave lines: black keys on a keystave, the five-line pattern of each staff on a
// conventional stave.
bool isStaveLinePitch(const CScoreLine& line, int32_t pitch);

}  // namespace ks
