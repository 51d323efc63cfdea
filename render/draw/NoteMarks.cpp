// Note marks of a chord: staccato and accent on the head side, and fingering digits.
#include <algorithm>
#include <vector>

#include "render/LayoutMath.h"
#include "render/StemDirection.h"
#include "render/draw/EventDrawing.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

// Where a mark's ink lies below the top of its cell, in units (the large music font is
// 16 units high; see resources/font/SYMBOLS.md).
struct MarkGlyph {
    char16_t code;
    double inkTop;
    double inkBottom;
    double raise;  // units above the mark pitch (above the chord)
    double lower;  // units below the mark pitch (below the chord)
};

constexpr MarkGlyph kStaccato{glyph::Staccato, 0.2, 1.0, 2.5, 1.5};
constexpr MarkGlyph kAccent{glyph::Accent, 0.2, 1.7, 2.75, 3.15};
constexpr double kDigitInkTop = 0.2;
constexpr double kDigitInkBottom = 2.4;
constexpr double kFingerSpacing = 3;
constexpr double kCustomFingerDistance = 5;
constexpr int kMaxSearch = 24;

struct MarkSpot {
    int32_t top = 0;  // cell top of the glyph
    double inkTop = 0, inkBottom = 0;
};

class MarkPlacer {
  public:
    MarkPlacer(const CDrawContext& ctx, const CScoreLine& line) : ctx_(ctx), line_(line) {}

    // The mark's cell top for mark pitch p on the given side (-1 above, +1 below).
    MarkSpot spotAt(const MarkGlyph& g, int32_t p, int side) const {
        const int32_t y = pitchToY(line_, ctx_.u, p);
        MarkSpot s;
        s.top = side < 0 ? y - ctx_.units(g.raise) : y + ctx_.units(g.lower);
        s.inkTop = s.top + g.inkTop * ctx_.u;
        s.inkBottom = s.top + g.inkBottom * ctx_.u;
        return s;
    }

    // Off any stave line: no line within half the ink's height (plus half the pen) of
    // its middle. Marks taller than the room between two lines only keep their middle
    // off the line.
    bool offLines(const MarkSpot& s) const {
        const double middle = (s.inkTop + s.inkBottom) / 2;
        const double clearance =
            std::min((s.inkBottom - s.inkTop) / 2 + ctx_.w / 2.0, 0.9 * ctx_.u);
        const int32_t near = yToPitch(line_, ctx_.u, roundToInt(middle));
        for (int32_t q = near - 3; q <= near + 3; ++q)
            if (isStaveLinePitch(line_, q) &&
                std::abs(pitchToY(line_, ctx_.u, q) - middle) < clearance)
                return false;
        return true;
    }

    // The mark pitch one position beyond `outer` or further out, the first whose mark is
    // off the stave lines and whose ink clears `limit` (a y the ink must not cross).
    MarkSpot place(const MarkGlyph& g, int32_t outer, int side, double limit) const {
        MarkSpot spot;
        for (int i = 1; i <= kMaxSearch; ++i) {
            spot = spotAt(g, side < 0 ? outer + i : outer - i, side);
            const bool clear = side < 0 ? spot.inkBottom <= limit : spot.inkTop >= limit;
            if (clear && offLines(spot)) break;
        }
        return spot;
    }

  private:
    const CDrawContext& ctx_;
    const CScoreLine& line_;
};

QRect drawGlyph(CDrawContext& ctx, double centreX, const MarkSpot& spot, char16_t code,
                const QColor& colour) {
    const QString g = glyphText(code);
    const double width = ctx.surface.measure(ctx.largeMusic, g).width;
    ctx.surface.drawText({roundToInt(centreX), spot.top}, g, ctx.largeMusic, colour,
                         TextAlign::Centre | TextAlign::Top);
    return QRect(QPoint(roundToInt(centreX - width / 2), roundToInt(spot.inkTop)),
                 QPoint(roundToInt(centreX + width / 2), roundToInt(spot.inkBottom)));
}

std::vector<int> fingersOf(int32_t bits) {
    std::vector<int> fingers;
    for (int f = 1; f <= 5; ++f)
        if (bits & (NoteMark::Finger1 << (f - 1))) fingers.push_back(f);
    return fingers;
}

// The top of the first fingering digit and the direction further digits stack in.
struct FingerRow {
    double top = 0;
    int step = -1;  // -1 stacks upward, +1 downward
};

FingerRow fingerRow(const CDrawContext& ctx, const DrawnEvent& e, const CChord& chord,
                    bool stemUp) {
    const CScoreLine& line = e.line;
    const double u = ctx.u;
    const double digitMiddle = (kDigitInkTop + kDigitInkBottom) / 2 * u;
    if (ctx.score.prefs.customfingering) {
        // Near the head: the first digit's middle `data1` + 5 units beyond the outer
        // note on the head side; the offset counts upward, as the move commands do.
        const double offset = kCustomFingerDistance * u;
        const double lift = e.event.data[1] * u;
        if (stemUp) return {pitchToY(line, u, chord.pitchLow) + offset - lift - digitMiddle, +1};
        return {pitchToY(line, u, chord.pitchHigh) - offset - lift - digitMiddle, -1};
    }
    const bool conv = (line.flags & LineFlag::Conventional) != 0;
    if (e.part == Part::RightHand || e.part == Part::RightHand2) {
        // A row above the stave, clear of an up stem.
        const double clearUnits = stemUp ? (conv ? 19 : 11) : 6;
        const double row =
            std::min<double>(pitchToY(line, u, conv ? 83 : 77),
                             pitchToY(line, u, chord.pitchHigh) - clearUnits * ctx.step);
        return {row, -1};
    }
    // A row below the stave, moving down when the lowest note comes closer.
    int32_t rowPitch = 41;
    if (ctx.score.prefs.stavetype == 1) rowPitch = 48;
    if (line.flags & LineFlag::OnlyUsedLines) rowPitch = 60;
    const double clearUnits = stemUp ? 6 : (conv ? 12 : 7);
    const double row = std::max<double>(pitchToY(line, u, rowPitch),
                                        pitchToY(line, u, chord.pitchLow) + clearUnits * ctx.step);
    return {row, +1};
}

QRect drawFingering(CDrawContext& ctx, const DrawnEvent& e, const CChord& chord, bool stemUp,
                    double centreX, const QColor& colour) {
    std::vector<int> fingers = fingersOf(e.event.data[0]);
    const bool leftHandRow =
        !ctx.score.prefs.customfingering && (e.part == Part::LeftHand || e.part == Part::LeftHand2);
    if (leftHandRow) std::reverse(fingers.begin(), fingers.end());
    const FingerRow row = fingerRow(ctx, e, chord, stemUp);
    QRect rect;
    for (size_t k = 0; k < fingers.size(); ++k) {
        MarkSpot spot;
        spot.top = roundToInt(row.top + row.step * double(k) * ctx.units(kFingerSpacing));
        spot.inkTop = spot.top + kDigitInkTop * ctx.u;
        spot.inkBottom = spot.top + kDigitInkBottom * ctx.u;
        rect |= drawGlyph(ctx, centreX, spot, glyph::Finger1 + (fingers[k] - 1), colour);
    }
    return rect;
}

}  // namespace

void drawNoteMarks(CDrawContext& ctx, const DrawnEvent& e) {
    const int32_t bits = e.event.data[0];
    const CChord* chord = chordAtTick(ctx.score.track(e.track), e.event.time);
    if (!chord || chord->isRest()) return;
    const int bar = barOnLine(ctx, e.span, chord->time);
    if (bar < 0) return;
    const double centreX = tickX(ctx, bar, chord->time) + ctx.W / 2;
    const bool stemUp = stemPointsUp(ctx.score, e.part, *chord);
    const QColor colour = partColour(ctx, e.part);
    const MarkPlacer placer(ctx, e.line);
    // Marks go on the head side: above the highest note when the stem points down, below
    // the lowest when it points up.
    const int side = stemUp ? 1 : -1;
    const int32_t outer = stemUp ? chord->pitchLow : chord->pitchHigh;
    double limit = pitchToY(e.line, ctx.u, outer) + side * ctx.H / 2;

    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    QRect rect;
    if (bits & NoteMark::Staccato) {
        const MarkSpot spot = placer.place(kStaccato, outer, side, limit);
        rect |= drawGlyph(ctx, centreX, spot, kStaccato.code, colour);
        // An accent goes beyond the staccato dot.
        limit = side < 0 ? spot.inkTop - 0.3 * ctx.u : spot.inkBottom + 0.3 * ctx.u;
    }
    if (bits & NoteMark::Accent) {
        const MarkSpot spot = placer.place(kAccent, outer, side, limit);
        rect |= drawGlyph(ctx, centreX, spot, kAccent.code, colour);
    }
    const int32_t fingerBits = NoteMark::Finger1 * 0x1F;
    if ((bits & fingerBits) && ctx.score.prefs.showfingering)
        rect |= drawFingering(ctx, e, *chord, stemUp, centreX, colour);
    ctx.surface.endElement();
    if (!rect.isNull()) addHitRect(ctx, e, rect, roundToInt(centreX));
}

}  // namespace ks
