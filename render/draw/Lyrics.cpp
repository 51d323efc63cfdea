// Lyrics: one syllable per event under (or over) its chord, one text line per verse.
#include <algorithm>

#include "render/layout/LayoutMath.h"
#include "render/draw/EventDrawing.h"
#include "render/draw/TextFonts.h"

namespace ks {

namespace {

constexpr int kVerses = 4;
constexpr double kAboveRightHand = 8;  // text heights above the stave top

// Moves a syllable right as far as it must to stay a word space clear of the syllable
// before it in the same verse, so that neighbours never read as one word (where its bar
// left too little room); returns the shift.
double clearOfPreviousSyllable(const CDrawContext& ctx, const DrawnEvent& e, int verse,
                               double left, double width, double space) {
    const int64_t key = (int64_t(e.lineIndex) << 32) | (int64_t(e.track & 0xFFFFFF) << 8) | verse;
    double shift = 0;
    auto it = ctx.lyricEnds.find(key);
    // A syllable at or before the one stored starts a new run (the line drawn again).
    if (it != ctx.lyricEnds.end() && it->tick < e.event.time)
        shift = std::max(0.0, it->right + space - left);
    ctx.lyricEnds.insert(key, {e.event.time, left + shift + width});
    return shift;
}

}  // namespace

void drawLyric(CDrawContext& ctx, const DrawnEvent& e) {
    const CDisplaySettings& prefs = ctx.score.prefs;
    if (!prefs.showlyrics || e.event.time < e.span.startTick) return;
    const int bar = barOnLine(ctx, e.span, e.event.time);
    if (bar < 0) return;
    const FontSpec font = eventWordFont(ctx, e.event.fontindex);
    const double height = ctx.surface.cellHeight(font);
    // The alignment preference is used as the surface's own alignment flags.
    const int align = prefs.lyricalign & TextAlign::HorizontalMask;
    double x = tickX(ctx, bar, e.event.time) + e.event.data[1] * ctx.u / 2;
    if (align == TextAlign::Centre) x += ctx.W / 2;
    if (align == TextAlign::Right) x += ctx.W;
    double top;
    switch (prefs.lyricposition) {
        case 0:
            top = e.line.staveTop - kAboveRightHand * height;
            break;
        case 2:
            top = e.line.staveBottom;
            break;
        default:
            top = pitchToY(e.line, ctx.u, 60);
            break;
    }
    const int verse = std::clamp(e.event.data[0], 0, kVerses - 1);
    top += verse * height - e.line.lpad * ctx.u;
    QString text = e.event.text;
    if (isEdited(ctx, e)) text += u'|';
    {
        const double w = ctx.surface.measure(font, text).width;
        double left = x;
        if (align == TextAlign::Centre) left -= w / 2;
        if (align == TextAlign::Right) left -= w;
        x += clearOfPreviousSyllable(ctx, e, verse, left, w,
                                     ctx.surface.measure(font, QStringLiteral(" ")).width);
    }
    const QColor colour = partColour(ctx, e.part);
    const QPoint at = pagePoint(x, top);
    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    ctx.surface.drawText(at, text, font, colour, align | TextAlign::Top);
    ctx.surface.endElement();
    // The hit rectangle starts at the reference x and is then moved onto the text.
    const int32_t width = roundToInt(ctx.surface.measure(font, text).width);
    int32_t shift = ctx.units(0.35);
    if (align == TextAlign::Centre) shift = width / 2;
    if (align == TextAlign::Right) shift = width - ctx.units(0.5);
    addHitRect(
        ctx, e,
        pageRect(double(at.x()) - shift, at.y(), double(at.x()) - shift + width, at.y() + height),
        at.x());
}

}  // namespace ks
