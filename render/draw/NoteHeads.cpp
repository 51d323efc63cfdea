#include "NoteHeads.h"

#include "render/draw/NotePlacement.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

constexpr int kLetterNotes = 4;  // stave type: conventional colour and letter notes
constexpr double kLetterScale = 2.0 / 3.0;

QColor headColour(const HeadPlace& h) {
    if (h.selected) return QColor(255, 0, 0);
    return h.grey ? CDrawContext::grey() : QColor(Qt::black);
}

QColor pitchColour(const HeadPlace& h) {
    const QColor c = octaveColour(h.pitch);
    return h.grey ? fade(c) : c;
}

void text(CDrawContext& ctx, int32_t x, int32_t y, char16_t code, const FontSpec& font,
          const QColor& colour, int align = TextAlign::Left + TextAlign::Top) {
    ctx.surface.drawText(QPoint(x, y), glyphText(code), font, colour, align);
}

// A letter head: the stave cleared behind it, the head in the pitch's colour and the
// note's letter on it.
void letterHead(CDrawContext& ctx, const ChordGeometry& c, const HeadPlace& h, int32_t x) {
    text(ctx, x, h.top, glyph::LetterHeadBackground, ctx.music, ctx.paper);
    const bool hollow = c.value.head != HeadKind::Filled;
    text(ctx, x, h.top, hollow ? glyph::LetterHeadHollow : glyph::LetterHeadFilled, ctx.music,
         pitchColour(h));
    const QColor letterColour = hollow ? headColour(h) : ctx.paper;
    // The letter font at two thirds of its size: its capitals (about 2.6 u) then stay
    // inside the head, where the full size would run over its edge.
    FontSpec font = ctx.letter;
    font.height = CDrawContext::round(font.height * kLetterScale);
    font.width = CDrawContext::round(font.width * kLetterScale);
    // Capitals centred on the head: the baseline a third of the em below the middle.
    const int32_t baseline = h.centreY + CDrawContext::round(-font.height / 3.0);
    text(ctx, CDrawContext::round(x + ctx.W / 2), baseline, noteLetter(h.pitch, c.key), font,
         letterColour, TextAlign::Centre + TextAlign::Baseline);
}

void head(CDrawContext& ctx, const LineGeometry& g, const ChordGeometry& c, const HeadPlace& h,
          AccidentalState& accidentals) {
    const int32_t x = c.x + h.shift;
    const char16_t code = c.value.headGlyph;
    if (g.conventional && ctx.score.prefs.stavetype == kLetterNotes) {
        letterHead(ctx, c, h, x);
    } else if (g.conventional) {
        if (const char16_t sign = accidentals.signFor(h.pitch))
            text(ctx, c.x - ctx.units(2), h.top - ctx.units(12.5), sign, ctx.largeMusic,
                 headColour(h));
        text(ctx, x, h.top, code, ctx.music, headColour(h));
    } else if (ctx.switches.colourNoteHeads) {
        text(ctx, x, h.top, static_cast<char16_t>(code + glyph::OuterLayerOffset), ctx.music,
             headColour(h));
        text(ctx, x, h.top, static_cast<char16_t>(code + glyph::InnerLayerOffset), ctx.music,
             pitchColour(h));
    } else {
        text(ctx, x, h.top, code, ctx.music, headColour(h));
    }
    // Dots beside the head, raised into the space when the head sits on a line.
    const int32_t dotTop = h.top - (noteOnLine(g, h.pitch, c.key) ? ctx.units(0.5) : 0);
    const int32_t first = CDrawContext::round(x + ctx.W) + ctx.units(0.5);
    for (int k = 0; k < c.value.dots; ++k)
        text(ctx, first + k * ctx.units(0.75), dotTop, glyph::Dot, ctx.music, headColour(h));
}

}  // namespace

void drawHeads(CDrawContext& ctx, const LineGeometry& g, const ChordGeometry& c,
               AccidentalState& accidentals) {
    for (const HeadPlace& h : c.heads) {
        ctx.surface.beginElement(QStringLiteral("note"), h.note);
        head(ctx, g, c, h, accidentals);
        ctx.surface.endElement();
    }
}

}  // namespace ks
