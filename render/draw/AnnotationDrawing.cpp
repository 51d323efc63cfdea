// Annotations, tempo marks and section markers: words in the event's user font, led by
// a symbol of the music font, sitting on the event's height.
#include <algorithm>

#include "render/layout/LayoutMath.h"
#include "render/layout/StaveGeometry.h"
#include "render/draw/EventDrawing.h"
#include "render/draw/TextFonts.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

// The flag of a section marker hangs this many units below its height.
constexpr double kMarkerFlagLength = 48;

struct AnnotationText {
    QString text;
    int symbolChars = 0;  // leading characters drawn in the symbol font
};

// Draws the symbol and the words with the bottom of the words' line at y; returns the
// rectangle they take.
QRect drawAnnotationText(CDrawContext& ctx, double x, double y, const AnnotationText& a,
                         int fontIndex, const QColor& colour) {
    const FontSpec words = eventWordFont(ctx, fontIndex);
    const TextMetrics wordMetrics = ctx.surface.measure(words, QString());
    const double top = y - wordMetrics.height();
    const double baseline = top + wordMetrics.ascent;
    QRect rect = pageRect(x, top, x, y);
    double cursor = x;
    if (a.symbolChars > 0) {
        // Symbols sit on the baseline of the words that follow them.
        const FontSpec symbol = eventSymbolFont(ctx, fontIndex);
        const QString s = a.text.left(a.symbolChars);
        const TextMetrics m = ctx.surface.measure(symbol, s);
        ctx.surface.drawText(pagePoint(x, baseline), s, symbol, colour,
                             TextAlign::Left | TextAlign::Baseline);
        rect |= pageRect(x, baseline - m.ascent, x + m.width, y);
        cursor += m.width;
    }
    const QString rest = a.text.mid(a.symbolChars);
    if (!rest.isEmpty()) {
        const QPoint at = pagePoint(cursor, top);
        ctx.surface.drawText(at, rest, words, colour, TextAlign::Left | TextAlign::Top);
        rect |= pageRect(at.x(), top, at.x() + ctx.surface.measure(words, rest).width, y);
    }
    return rect;
}

int32_t annotationX(const CDrawContext& ctx, const DrawnEvent& e) {
    return tickX(ctx, barOnLine(ctx, e.span, e.event.time), e.event.time);
}

int32_t defaultTempoMarkKey(int32_t stavetype) {
    // Eight semitones above the top of the default stave: clear of the clef and of the
    // bar number of a line's first bar.
    return defaultStaveRange(stavetype).top + 8;
}

bool compoundTime(const CTimeSignature& sig) {
    return (sig.denom == 8 || sig.denom == 16) && sig.nom > 0 && sig.nom % 3 == 0;
}

void drawAsAnnotation(CDrawContext& ctx, const DrawnEvent& e, int32_t x, int32_t pitch16,
                      AnnotationText a, const QColor& colour) {
    if (isEdited(ctx, e)) a.text += u'|';
    const int32_t y = fractionalPitchToY(e.line, ctx.u, pitch16);
    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    const QRect rect = drawAnnotationText(ctx, x, y, a, e.event.fontindex, colour);
    ctx.surface.endElement();
    addHitRect(ctx, e, rect, x);
}

}  // namespace

QString tempoMarkText(const CScore& score, const CEvent& event) {
    if (!event.text.isEmpty()) return event.text;
    const CTimeSignature sig = score.timeSigAtBar(score.barAtTick(event.time));
    QString text = QChar(glyph::TempoQuarter);
    if (compoundTime(sig)) text += QChar(glyph::TempoDot);
    return text + QStringLiteral(" = %1").arg(event.data[1]);
}

int32_t tempoMarkPitch(const CScore& score, const CEvent& event) {
    if (event.pitch != 0) return event.pitch;
    return defaultTempoMarkKey(score.prefs.stavetype) << 16;
}

void drawTempoMark(CDrawContext& ctx, const DrawnEvent& e) {
    AnnotationText a{.text = tempoMarkText(ctx.score, e.event)};
    if (a.text.startsWith(QChar(glyph::TempoQuarter)))
        a.symbolChars = a.text.size() > 1 && a.text[1] == QChar(glyph::TempoDot) ? 2 : 1;
    drawAsAnnotation(ctx, e, annotationX(ctx, e), tempoMarkPitch(ctx.score, e.event), a, Qt::black);
}

void drawAnnotation(CDrawContext& ctx, const DrawnEvent& e) {
    AnnotationText a{.text = e.event.text};
    if (e.event.type == EventType::Annotation && e.event.data[0] > 0 && !a.text.isEmpty())
        a.symbolChars = 1;
    drawAsAnnotation(ctx, e, annotationX(ctx, e), e.event.pitch, a, Qt::black);
}

void drawSectionMarker(CDrawContext& ctx, const DrawnEvent& e) {
    const int32_t x = annotationX(ctx, e);
    const int32_t y = fractionalPitchToY(e.line, ctx.u, e.event.pitch);
    AnnotationText a{.text = e.event.text};
    if (isEdited(ctx, e)) a.text += u'|';
    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    QRect rect =
        drawAnnotationText(ctx, double(x) - ctx.units(2), y, a, e.event.fontindex, Qt::black);
    // The flag: a narrow pole from the marker's height down through the stave.
    const double bottom = double(y) + ctx.units(kMarkerFlagLength);
    const double right = double(x) + ctx.w;
    ctx.surface.drawPolyline(
        {pagePoint(x, y), pagePoint(x, bottom), pagePoint(right, bottom), pagePoint(right, y)},
        Pen{.colour = Qt::black, .width = ctx.w});
    ctx.surface.endElement();
    rect |= pageRect(x, y, right, bottom);
    addHitRect(ctx, e, rect, x);
}

}  // namespace ks
