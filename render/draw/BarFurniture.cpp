#include "BarFurniture.h"

#include "render/layout/BarFlags.h"
#include "render/layout/LayoutMath.h"
#include "render/draw/Drawing.h"
#include "render/draw/EventPlacement.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

constexpr int32_t kRepeatStartStyle = 3;

bool conventionalLine(const CScoreLine& line) {
    return (line.flags & LineFlag::Conventional) != 0;
}

bool onlyUsedLines(const CScoreLine& line) {
    return !conventionalLine(line) && (line.flags & LineFlag::OnlyUsedLines) != 0;
}

bool rangeReaches(const CScoreLine& line, int32_t low, int32_t high) {
    return line.pitchLow <= high && line.pitchHigh >= low;
}

// The clefs of the staves the line shows, in the large music font.
void drawClefs(CDrawContext& ctx, int barIndex, const CScoreLine& line, int32_t x) {
    const bool conv = conventionalLine(line);
    ctx.surface.beginElement(QStringLiteral("clef"), barIndex);
    if (lineShowsUpperStave(line)) {
        const int32_t pitch = conv ? 85 : ((line.flags & LineFlag::ReducedSpacing) ? 77 : 76);
        const double top = double(pitchToY(line, ctx.u, pitch)) - ctx.step;
        ctx.surface.drawText(pagePoint(x, top), glyphText(glyph::ClefUpper), ctx.largeMusic,
                             Qt::black, TextAlign::Left | TextAlign::Top);
    }
    if (lineShowsLowerStave(ctx, line)) {
        const double top = pitchToY(line, ctx.u, conv ? 59 : 56);
        ctx.surface.drawText(pagePoint(x, top), glyphText(glyph::ClefLower), ctx.largeMusic,
                             Qt::black, TextAlign::Left | TextAlign::Top);
    }
    ctx.surface.endElement();
}

void drawTimeSignature(CDrawContext& ctx, int barIndex, const CScoreLine& line,
                       const CTimeSignature& sig, int32_t x) {
    const bool conv = conventionalLine(line);
    // Each number's top lies the font's descent above its pitch, which sets the digits
    // between that pitch and the baseline below it.
    const int32_t descent = roundToInt(ctx.surface.measure(ctx.letter, QString()).descent);
    const double upper = double(pitchToY(line, ctx.u, conv ? 78 : 70)) - descent;
    const double lower = double(pitchToY(line, ctx.u, conv ? 71 : 65)) - descent;
    ctx.surface.beginElement(QStringLiteral("timesig"), barIndex);
    ctx.surface.drawText(pagePoint(x, upper), timeSignatureText(sig.nom, sig), ctx.letter,
                         Qt::black, TextAlign::Left | TextAlign::Top);
    ctx.surface.drawText(pagePoint(x, lower), timeSignatureText(sig.denom, sig), ctx.letter,
                         Qt::black, TextAlign::Left | TextAlign::Top);
    ctx.surface.endElement();
}

void drawBarPrefix(CDrawContext& ctx, int barIndex, const CScoreLine& line) {
    const CScoreBar& bar = ctx.score.bar(barIndex);
    const int32_t start = barIndex == line.firstBar ? line.left : bar.left;
    int64_t x = int64_t(start) + ctx.step;
    if (bar.styleLeft == kRepeatStartStyle) x += ctx.units(4);
    if (bar.flags & BarFlag::Clef) {
        drawClefs(ctx, barIndex, line, saturate(x));
        x += ctx.units(9);
    }
    if (bar.flags & BarFlag::KeySig) {
        const int key = keySignatureStartingAt(ctx.score, barIndex);
        if (key >= 0) {
            ctx.surface.beginElement(QStringLiteral("keysig"), barIndex);
            drawKeySignature(ctx, line, key, saturate(x));
            ctx.surface.endElement();
            x += conventionalLine(line) ? conventionalKeySignatureWidth(ctx, key) : ctx.units(4);
        }
    }
    if (bar.flags & BarFlag::TimeSig) {
        const CTimeSignature* sig = timeSignatureStartingAt(ctx.score, barIndex);
        if (sig && lineShowsUpperStave(line))
            drawTimeSignature(ctx, barIndex, line, *sig, saturate(x));
    }
}

}  // namespace

bool lineShowsUpperStave(const CScoreLine& line) {
    return !onlyUsedLines(line) || rangeReaches(line, 70, 72);
}

bool lineShowsLowerStave(const CDrawContext& ctx, const CScoreLine& line) {
    if (ctx.score.prefs.stavetype == 2 && !conventionalLine(line)) return false;
    return !onlyUsedLines(line) || rangeReaches(line, 49, 50);
}

QString timeSignatureText(int value, const CTimeSignature& sig) {
    const bool wide = sig.nom > 9 || sig.denom > 9;
    return wide ? QStringLiteral("%1").arg(value, 2) : QString::number(value);
}

void DrawBarFurniture(CDrawContext& ctx, int bar, int lineIndex) {
    if (bar < 0 || bar >= static_cast<int>(ctx.score.bars.size())) return;
    const CScoreLine& line = ctx.lineRecord(lineIndex);
    drawBarPrefix(ctx, bar, line);
    drawBarNumber(ctx, bar, line);
    drawVoltaBrackets(ctx, bar, line);
}

}  // namespace ks
