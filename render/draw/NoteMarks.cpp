// Note marks of a chord: staccato and accent on the head side, and fingering digits.
#include <algorithm>
#include <vector>

#include "render/layout/LayoutMath.h"
#include "render/draw/ChordGeometry.h"
#include "render/draw/EventDrawing.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

// Where a mark's ink lies below the top of its cell, in units (the large music font is
// 16 units high; see resources/font/SYMBOLS.md), and how far its top is raised above
// (or lowered below) the height the mark is placed at.
struct MarkGlyph {
    char16_t code;
    double inkTop;
    double inkBottom;
    double raise;  // above the chord
    double lower;  // below the chord
};

constexpr MarkGlyph kStaccato{glyph::Staccato, 0.2, 1.0, 2.5, 1.5};
constexpr MarkGlyph kAccent{glyph::Accent, 0.2, 1.7, 2.75, 3.15};
constexpr double kDigitInkTop = 0.2;
constexpr double kDigitInkBottom = 2.4;
constexpr double kFingerSpacing = 3;
constexpr double kCustomFingerDistance = 5;
constexpr double kMarkGap = 0.3;  // between an accent and the staccato dot it stands beyond
constexpr int kMaxSearch = 24;

struct MarkSpot {
    double top = 0;  // cell top of the glyph
    double inkTop = 0, inkBottom = 0;
};

// Finds the height of a mark: one stave position beyond the outer head or further out,
// off the stave lines. (Stave positions are one step apart, so the search walks in
// steps rather than through a table of pitches.)
class MarkPlacer {
  public:
    MarkPlacer(const CDrawContext& ctx, const CScoreLine& line) : ctx_(ctx), line_(line) {}

    // The glyph placed for a mark height y on the given side (-1 above, +1 below).
    MarkSpot spotAt(const MarkGlyph& g, double y, int side) const {
        MarkSpot s;
        s.top = side < 0 ? y - ctx_.units(g.raise) : y + ctx_.units(g.lower);
        s.inkTop = s.top + g.inkTop * ctx_.u;
        s.inkBottom = s.top + g.inkBottom * ctx_.u;
        return s;
    }

    // No stave line within half the ink's height (plus half the pen) of the ink's
    // middle; marks taller than the room between two lines keep only their middle off.
    bool offLines(const MarkSpot& s) const {
        const double middle = (s.inkTop + s.inkBottom) / 2;
        const double clearance =
            std::min((s.inkBottom - s.inkTop) / 2 + ctx_.w / 2.0, 0.9 * ctx_.u);
        const int32_t near = yToPitch(line_, ctx_.u, coord(middle));
        for (int32_t q = near - 3; q <= near + 3; ++q)
            if (isStaveLinePitch(line_, q) &&
                std::abs(pitchToY(line_, ctx_.u, q) - middle) < clearance)
                return false;
        return true;
    }

    // The first height beyond `headY` whose mark is off the lines and keeps its ink on
    // the far side of `limit`.
    MarkSpot place(const MarkGlyph& g, int32_t headY, int side, double limit) const {
        MarkSpot spot;
        for (int k = 1; k <= kMaxSearch; ++k) {
            spot = spotAt(g, double(headY) + double(side) * k * ctx_.step, side);
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
    ctx.surface.drawText(pagePoint(centreX, spot.top), g, ctx.largeMusic, colour,
                         TextAlign::Centre | TextAlign::Top);
    return pageRect(centreX - width / 2, spot.inkTop, centreX + width / 2, spot.inkBottom);
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

FingerRow fingerRow(const CDrawContext& ctx, const DrawnEvent& e, const ChordGeometry& c) {
    const CScoreLine& line = e.line;
    const double u = ctx.u;
    const int32_t lowY = c.heads.front().centreY;
    const int32_t highY = c.heads.back().centreY;
    if (ctx.score.prefs.customfingering) {
        // Near the head: the first digit's middle `data1` + 5 units beyond the outer
        // note on the head side; the offset counts upward, as the move commands do.
        const double middle = (kDigitInkTop + kDigitInkBottom) / 2 * u;
        const double lift = e.event.data[1] * u;
        if (c.up) return {lowY + kCustomFingerDistance * u - lift - middle, +1};
        return {highY - kCustomFingerDistance * u - lift - middle, -1};
    }
    const bool conv = e.geometry.conventional;
    if (e.part == Part::RightHand || e.part == Part::RightHand2) {
        // A row above the stave, clear of an up stem.
        const double clear = c.up ? (conv ? 19 : 11) : 6;
        return {std::min<double>(pitchToY(line, u, conv ? 83 : 77), highY - clear * ctx.step), -1};
    }
    // A row below the stave, moving down when the lowest note comes closer.
    int32_t rowPitch = 41;
    if (ctx.score.prefs.stavetype == 1) rowPitch = 48;
    if (e.geometry.onlyUsed) rowPitch = 60;
    const double clear = c.up ? 6 : (conv ? 12 : 7);
    return {std::max<double>(pitchToY(line, u, rowPitch), lowY + clear * ctx.step), +1};
}

QRect drawFingering(CDrawContext& ctx, const DrawnEvent& e, const ChordGeometry& c, double centreX,
                    const QColor& colour) {
    std::vector<int> fingers = fingersOf(e.event.data[0]);
    // The left hand's row under the stave starts with the fifth finger.
    const bool leftHandRow =
        !ctx.score.prefs.customfingering && (e.part == Part::LeftHand || e.part == Part::LeftHand2);
    if (leftHandRow) std::reverse(fingers.begin(), fingers.end());
    const FingerRow row = fingerRow(ctx, e, c);
    QRect rect;
    for (size_t k = 0; k < fingers.size(); ++k) {
        MarkSpot spot;
        spot.top = double(coord(row.top + row.step * double(k) * ctx.units(kFingerSpacing)));
        spot.inkTop = spot.top + kDigitInkTop * ctx.u;
        spot.inkBottom = spot.top + kDigitInkBottom * ctx.u;
        rect |= drawGlyph(ctx, centreX, spot, char16_t(glyph::Finger1 + (fingers[k] - 1)), colour);
    }
    return rect;
}

}  // namespace

void drawNoteMarks(CDrawContext& ctx, const DrawnEvent& e) {
    const int32_t bits = e.event.data[0];
    const CTrack& track = ctx.score.track(e.track);
    const int chordIndex = chordAtTick(track, e.event.time);
    if (chordIndex < 0 || track.chords.at(chordIndex).isRest()) return;
    const CChord& chord = track.chords.at(chordIndex);
    if (!e.span.holds(chord.time)) return;
    const ChordGeometry c =
        chordGeometry(ctx, e.geometry, e.part, track, chordIndex, ctx.score.keyAtBar(chord.bar));
    if (c.heads.isEmpty()) return;
    const double centreX = c.x + ctx.W / 2;
    const QColor colour = partColour(ctx, e.part);
    const MarkPlacer placer(ctx, e.line);
    // Marks go on the head side: above the highest note when the stem points down, below
    // the lowest when it points up.
    const int side = c.up ? 1 : -1;
    const int32_t outerY = c.up ? c.heads.front().centreY : c.heads.back().centreY;
    double limit = outerY + side * ctx.H / 2;

    ctx.surface.beginElement(eventElementKind(e.track), e.index);
    QRect rect;
    if (bits & NoteMark::Staccato) {
        const MarkSpot spot = placer.place(kStaccato, outerY, side, limit);
        rect |= drawGlyph(ctx, centreX, spot, kStaccato.code, colour);
        limit = side < 0 ? spot.inkTop - kMarkGap * ctx.u : spot.inkBottom + kMarkGap * ctx.u;
    }
    if (bits & NoteMark::Accent) {
        const MarkSpot spot = placer.place(kAccent, outerY, side, limit);
        rect |= drawGlyph(ctx, centreX, spot, kAccent.code, colour);
    }
    const int32_t fingerBits = NoteMark::Finger1 * 0x1F;
    if ((bits & fingerBits) && ctx.score.prefs.showfingering)
        rect |= drawFingering(ctx, e, c, centreX, colour);
    ctx.surface.endElement();
    if (!rect.isNull()) addHitRect(ctx, e, rect, coord(centreX));
}

}  // namespace ks
