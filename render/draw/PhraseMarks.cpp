// Phrase marks (slurs): a curve over the notes from the first chord to the last. A mark
// that crosses lines is drawn twice, running off the end of the first line and in from
// the start of the last.
#include <algorithm>

#include "render/layout/LayoutMath.h"
#include "render/draw/ChordGeometry.h"
#include "render/draw/EventDrawing.h"
#include "render/draw/NotePlacement.h"

namespace ks {

namespace {

constexpr int32_t kAboveUpStem = 9;  // semitones above a note whose stem points up

struct PhraseEnd {
    double x = 0;
    double y = 0;
};

// An end of the mark: x at the right edge of its chord's head; the height of its note,
// raised clear of an up stem and moved off a black key.
PhraseEnd phraseEnd(const CDrawContext& ctx, const DrawnEvent& e, int32_t tick, int32_t pitch) {
    const CTrack& track = ctx.score.track(e.track);
    const int chord = chordAtTick(track, tick);
    const int bar = chord >= 0 ? track.chords.at(chord).bar : ctx.score.barAtTick(tick);
    const int32_t key = ctx.score.keyAtBar(bar);
    int32_t p = std::clamp(pitch, 0, 127);
    int32_t x = tickX(ctx, bar, tick);
    if (chord >= 0 && !track.chords.at(chord).isRest()) {
        const ChordGeometry c = chordGeometry(ctx, e.geometry, e.part, track, chord, key);
        x = c.x;
        if (c.up) p += kAboveUpStem;
    }
    if (isBlackKey(p)) p += 1;
    return {double(coord(x + ctx.W)), double(noteY(ctx, e.geometry, p, std::max(e.part, 0), key))};
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
    PhraseEnd a = phraseEnd(ctx, e, firstTick, ev.data[1]);
    PhraseEnd b = phraseEnd(ctx, e, lastTick, ev.data[2]);
    if (split) {
        const double length = double(e.line.right) - e.line.left;
        if (isStart)
            b.x += length;
        else
            a.x -= length;
    }
    // A flat arch: its height grows with its span, between 1.5 and 4 units.
    const double span = std::abs(b.x - a.x);
    const double rise = coord(std::clamp(span * 0.12, 1.5 * ctx.u, 4 * ctx.u));
    const double inset = coord(span / 4);
    const QPoint p0 = pagePoint(a.x, a.y), p3 = pagePoint(b.x, b.y);
    const QPoint c1 = pagePoint(a.x + inset, a.y - rise), c2 = pagePoint(b.x - inset, b.y - rise);
    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    ctx.surface.drawBezier(p0, c1, c2, p3, Pen{.colour = partColour(ctx, e.part), .width = ctx.w});
    ctx.surface.endElement();
    addHitRect(ctx, e,
               pageRect(p0.x(), p0.y(), p3.x(), p3.y()) | pageRect(c1.x(), c1.y(), c2.x(), c2.y()),
               p0.x());
}

}  // namespace ks
