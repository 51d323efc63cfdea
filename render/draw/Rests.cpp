#include "Rests.h"

#include <algorithm>

#include "render/layout/TickMapping.h"
#include "render/draw/ChordGeometry.h"
#include "render/draw/NoteValues.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

constexpr int32_t kHalf = 32768;  // half a pitch step in 16.16

struct RestHeights {
    int32_t base[4];      // 16.16 pitches of parts 0..3
    int32_t dot[4];       // pitches of their dots
    int32_t wholeBar[2];  // whole-bar rests of the upper and the lower hand
};

RestHeights restHeights(const CDrawContext& ctx, const LineGeometry& g) {
    const auto at = [](int32_t pitch, int32_t fraction = 0) { return pitch * 65536 + fraction; };
    if (g.conventional)
        return {{at(76, kHalf), at(64), at(56, kHalf), at(44)}, {75, 64, 54, 44}, {76, 55}};
    const int32_t type = ctx.score.prefs.stavetype;
    if (type == 1) return {{at(70), at(63), at(58), at(51)}, {68, 63, 56, 51}, {69, 58}};
    const int32_t wholeBarLow = type == 2 ? 59 : 52;
    const int32_t wholeBarHigh = type == 2 ? 69 : 71;
    if (g.line.flags & LineFlag::ReducedSpacing)
        return {{at(72), at(63), at(53), at(46)}, {70, 63, 51, 46}, {wholeBarHigh, wholeBarLow}};
    return {{at(71, kHalf), at(63), at(52, kHalf), at(46)},
            {70, 63, 51, 46},
            {wholeBarHigh, wholeBarLow}};
}

QColor restColour(const CDrawContext& ctx, int part) {
    return ctx.view.mode == ViewMode::Music && part != ctx.view.currentPart ? QColor(128, 128, 128)
                                                                            : QColor(Qt::black);
}

int32_t clampPitch(int64_t pitch) {
    return static_cast<int32_t>(std::clamp<int64_t>(pitch, 0, 127));
}

void wholeBarRest(CDrawContext& ctx, const LineGeometry& g, int part, const CScoreBar& bar,
                  bool croppedStart, int32_t usableEnd, const RestHeights& h) {
    const int32_t start = croppedStart ? g.x0 : tickToX(bar, bar.startTick, ctx.u, true, false);
    const int32_t x = static_cast<int32_t>(start + (int64_t(usableEnd) - start) / 2);
    const int32_t pitch =
        clampPitch(int64_t(h.wholeBar[part < Part::LeftHand ? 0 : 1]) + bar.restoffset[part]);
    ctx.surface.drawText(QPoint(x, g.y(pitch, ctx.u) + ctx.w / 2), glyphText(glyph::BarRest),
                         ctx.music, restColour(ctx, part), TextAlign::Centre + TextAlign::Top);
}

}  // namespace

bool restsShown(const LineGeometry& g, int part) {
    if (!g.onlyUsed) return true;
    return part < Part::LeftHand ? rangeCrosses(g, 71, 72) : rangeCrosses(g, 46, 47);
}

void drawRest(CDrawContext& ctx, const LineGeometry& g, int part, const CTrack& track,
              int chordIndex, int32_t barIndex, RestCrop crop) {
    const CChord& chord = track.chords.at(chordIndex);
    const CScoreBar& bar = ctx.score.bar(barIndex);
    const int64_t barEnd = int64_t(bar.startTick) + bar.lengthTicks;
    const int64_t start = std::max<int64_t>({chord.time, bar.startTick, crop.start});
    const int64_t end = std::min<int64_t>({chord.end(), barEnd, crop.end});
    if (end <= start) return;
    const RestHeights h = restHeights(ctx, g);
    ctx.surface.beginElement(QStringLiteral("rest"), chordIndex);
    if (chord.time <= bar.startTick && chord.end() >= barEnd) {
        const int32_t usableEnd =
            end < barEnd ? tickToX(bar, static_cast<int32_t>(end), ctx.u) : bar.right;
        wholeBarRest(ctx, g, part, bar, crop.start > bar.startTick, usableEnd, h);
        ctx.surface.endElement();
        return;
    }
    const int32_t length = static_cast<int32_t>(end - start);
    const int row = noteValueRowFor(length, noteValueUnit(ctx.score.ppqn, chord.flags));
    if (row >= 0) {
        const NoteValue& value = noteValueRow(row);
        const int32_t at =
            static_cast<int32_t>(start + (length < 2 * ctx.score.ppqn ? length / 2 : length / 4));
        const int32_t x = tickToX(bar, at, ctx.u);
        const int64_t offset = int64_t(bar.restoffset[part]);
        const int32_t y = fractionalPitchToY(g.line, ctx.u,
                                             static_cast<int32_t>(std::clamp<int64_t>(
                                                 offset * 65536 + h.base[part], 0, 127 * 65536)));
        const FontSpec& font = part % 2 == 0 ? ctx.largeMusic : ctx.smallMusic;
        const QColor colour = restColour(ctx, part);
        ctx.surface.drawText(QPoint(x, y), glyphText(value.restGlyph), font, colour,
                             TextAlign::Centre + TextAlign::Top);
        const int dots = (chord.flags & ChordFlag::Tuplet) ? 0 : value.dots;
        const int32_t dotTop =
            headTopFor(ctx, g.y(clampPitch(int64_t(h.dot[part]) + offset), ctx.u));
        for (int k = 0; k < dots; ++k)
            ctx.surface.drawText(QPoint(x + ctx.units(2) + k * ctx.units(0.67), dotTop),
                                 glyphText(glyph::Dot), ctx.music, colour,
                                 TextAlign::Left + TextAlign::Top);
    }
    ctx.surface.endElement();
}

}  // namespace ks
