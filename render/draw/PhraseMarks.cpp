// Phrase marks (slurs): a curve over the notes from the first chord to the last. A mark
// that crosses lines is drawn twice, running off the end of the first line and in from
// the start of the last.
#include <algorithm>

#include "render/LayoutMath.h"
#include "render/StemDirection.h"
#include "render/draw/EventDrawing.h"

namespace ks {

namespace {

constexpr int32_t kAboveUpStem = 9;  // semitones above a note whose stem points up

// The pitch an end of the mark is drawn at: the note's, clear of an up stem, off the
// black-key lines.
int32_t endPitch(const CDrawContext& ctx, const DrawnEvent& e, int32_t tick, int32_t pitch) {
    const CChord* chord = chordAtTick(ctx.score.track(e.track), tick);
    int32_t p = std::clamp(pitch, 0, 127);
    if (chord && !chord->isRest() && stemPointsUp(ctx.score, e.part, *chord)) p += kAboveUpStem;
    if (isBlackKey(p)) p += 1;
    return p;
}

// x of an end: the right edge of the chord's head, on whatever line the chord lies.
int32_t endX(const CDrawContext& ctx, int32_t tick) {
    return roundToInt(tickX(ctx, ctx.score.barAtTick(tick), tick) + ctx.W);
}

}  // namespace

void drawPhraseMark(CDrawContext& ctx, const DrawnEvent& e) {
    const CEvent& ev = e.event;
    if (ev.time < e.span.startTick) return;
    const bool isStart = ev.data[0] == 0;
    const int32_t firstTick = ev.data[3];
    const int32_t lastTick = ev.data[4];
    const int firstLine = lineOfTick(ctx, firstTick);
    const int lastLine = lineOfTick(ctx, lastTick);
    if (firstLine < 0 || lastLine < 0) return;
    const bool split = ctx.view.pageOrLayout() && firstLine != lastLine;
    if (!isStart && !split) return;  // the start event draws the whole mark
    const int32_t length = e.line.right - e.line.left;
    int32_t x0 = endX(ctx, firstTick);
    int32_t x1 = endX(ctx, lastTick);
    if (split) {
        if (isStart)
            x1 = saturate(int64_t(x1) + length);
        else
            x0 = saturate(int64_t(x0) - length);
    }
    const int32_t y0 = pitchToY(e.line, ctx.u, endPitch(ctx, e, firstTick, ev.data[1]));
    const int32_t y1 = pitchToY(e.line, ctx.u, endPitch(ctx, e, lastTick, ev.data[2]));
    // A flat arch: its height grows with its span, between 1.5 and 4 units.
    const double span = std::abs(double(x1) - x0);
    const int32_t rise = roundToInt(std::clamp(span * 0.12, 1.5 * ctx.u, 4 * ctx.u));
    const int32_t inset = roundToInt(span / 4);
    const QPoint p0(x0, y0), p3(x1, y1);
    const QPoint c1(x0 + inset, y0 - rise), c2(x1 - inset, y1 - rise);
    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    ctx.surface.drawBezier(p0, c1, c2, p3, Pen{.colour = partColour(ctx, e.part), .width = ctx.w});
    ctx.surface.endElement();
    const QRect box = QRect(p0, p3).normalized() | QRect(c1, c2).normalized();
    addHitRect(ctx, e, box, x0);
}

}  // namespace ks
