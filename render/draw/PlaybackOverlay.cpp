#include "PlaybackOverlay.h"

#include <algorithm>

#include "render/draw/ChordGeometry.h"
#include "render/draw/EventPlacement.h"
#include "render/draw/LineGeometry.h"

namespace ks {

namespace {

const QColor kRed(255, 0, 0);

int32_t cursorPenWidth(const CDrawContext& ctx) {
    return std::max(ctx.w, 1);
}

int32_t ringPenWidth(const CDrawContext& ctx) {
    return std::max(CDrawContext::round(ctx.w * 1.5), 1);
}

// The end of the music (and anything past it) is shown at the end of the last bar.
bool atEnd(const CDrawContext& ctx, int32_t tick) {
    return tick > 0 && tick >= ctx.score.length;
}

int barOfTick(const CDrawContext& ctx, int32_t tick) {
    const int count = static_cast<int>(ctx.score.bars.size());
    if (count == 0) return -1;
    const int32_t t = atEnd(ctx, tick) ? ctx.score.length - 1 : std::max(tick, 0);
    return std::clamp(ctx.score.barAtTick(t), 0, count - 1);
}

}  // namespace

int playbackCursorLine(const CDrawContext& ctx, int32_t tick) {
    if (atEnd(ctx, tick)) return lineOfTick(ctx, ctx.score.length, true);
    return lineOfTick(ctx, std::max(tick, 0));
}

QRect playbackCursorRect(const CDrawContext& ctx, int32_t tick) {
    const int line = playbackCursorLine(ctx, tick);
    const int bar = barOfTick(ctx, tick);
    if (line < 0 || bar < 0) return {};
    const CScoreLine& record = ctx.lineRecord(line);
    if (!lineOnDrawnPage(ctx, record)) return {};
    const int32_t at = std::clamp(tick, 0, std::max(ctx.score.length, 0));
    const int32_t x = tickX(ctx, bar, at) + CDrawContext::round(ctx.W / 2);
    const int32_t top = std::min(record.staveTop, record.staveBottom) - ctx.units(2);
    const int32_t bottom = std::max(record.staveTop, record.staveBottom) + ctx.units(2);
    const int32_t pen = cursorPenWidth(ctx);
    return QRect(x - pen / 2, top, pen, std::max(bottom - top, 1));
}

QRect soundingHeadRect(const CDrawContext& ctx, const SoundingHead& head) {
    const CScore& score = ctx.score;
    const int part = score.partOfTrack(head.trackIndex);
    if (part < 0 || head.trackIndex >= score.trackCount()) return {};
    const CTrack& track = score.track(head.trackIndex);
    const int line = lineOfTick(ctx, head.scoreTime);
    if (line < 0 || !lineOnDrawnPage(ctx, ctx.lineRecord(line))) return {};
    const int chord = chordAtTick(track, head.scoreTime);
    if (chord < 0) return {};
    const LineGeometry g = lineGeometry(ctx, line);
    const ChordGeometry c =
        chordGeometry(ctx, g, part, track, chord, score.keyAtBar(track.chords.at(chord).bar));
    for (const HeadPlace& h : c.heads) {
        if (h.pitch != head.pitch) continue;
        const int32_t cx = c.x + h.shift + CDrawContext::round(ctx.W / 2);
        const int32_t halfWidth = std::max(CDrawContext::round(ctx.W * 0.7), 1);
        const int32_t halfHeight = std::max(CDrawContext::round(ctx.W * 0.55), 1);
        return QRect(cx - halfWidth, h.centreY - halfHeight, 2 * halfWidth, 2 * halfHeight);
    }
    return {};
}

std::vector<QRect> playbackOverlayRects(const CDrawContext& ctx, const PlaybackOverlay& overlay) {
    std::vector<QRect> rects;
    if (overlay.cursorTick >= 0) {
        const QRect r = playbackCursorRect(ctx, overlay.cursorTick);
        const int32_t m = cursorPenWidth(ctx);
        if (!r.isEmpty()) rects.push_back(r.adjusted(-m, -m, m, m));
    }
    const int32_t m = ringPenWidth(ctx);
    for (const SoundingHead& head : overlay.heads) {
        const QRect r = soundingHeadRect(ctx, head);
        if (!r.isEmpty()) rects.push_back(r.adjusted(-m, -m, m, m));
    }
    return rects;
}

void DrawPlaybackOverlay(CDrawContext& ctx, const PlaybackOverlay& overlay) {
    if (!ctx.surface.isScreen()) return;
    if (overlay.cursorTick >= 0) {
        const QRect r = playbackCursorRect(ctx, overlay.cursorTick);
        if (!r.isEmpty()) {
            const int32_t x = r.left() + r.width() / 2;
            ctx.surface.beginElement(QStringLiteral("playbackcursor"), overlay.cursorTick);
            ctx.surface.drawLine(QPoint(x, r.top()), QPoint(x, r.top() + r.height()),
                                 Pen{.colour = kRed, .width = cursorPenWidth(ctx)});
            ctx.surface.endElement();
        }
    }
    const Pen ring{.colour = kRed, .width = ringPenWidth(ctx)};
    for (const SoundingHead& head : overlay.heads) {
        const QRect r = soundingHeadRect(ctx, head);
        if (r.isEmpty()) continue;
        const QPoint right(r.right(), r.center().y());
        ctx.surface.beginElement(QStringLiteral("sounding"), head.pitch);
        ctx.surface.drawArc(r, right, right, ring);
        ctx.surface.endElement();
    }
}

}  // namespace ks
