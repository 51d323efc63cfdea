// The stave of a line: which lines are drawn where and with which pen, ledger lines,
// keyboard guides, the per-bar extensions, bar lines and the stave-start brace.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/layout/TickMapping.h"
#include "render/draw/BarLines.h"
#include "render/draw/LineGeometry.h"
#include "render/draw/StaveLines.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

const QString kStave = QStringLiteral("stave");

// Lines of the stave element at y that span the whole line.
std::vector<DrawnItem> fullWidthAt(const RecordingSurface& s, const CScore& score, int32_t y) {
    const int32_t x0 = score.bar(score.line(0).firstBar).left;
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : horizontalsAt(s, y, kStave))
        if (i.points[0].x() == x0) out.push_back(i);
    return out;
}

}  // namespace

TEST(IsStaveLine, BlackKeysOrTheFiveLineStaves) {
    struct Case {
        int32_t pitch;
        bool keystave;
        bool conventional;
    } cases[] = {
        {60, false, false}, {61, true, false}, {63, true, false},   {64, false, true},
        {65, false, false}, {66, true, false}, {67, false, true},   {70, true, false},
        {71, false, true},  {74, false, true}, {77, false, true},   {81, false, true},
        {84, false, true},  {57, false, true}, {43, false, true},   {41, false, false},
        {40, false, true},  {0, false, false}, {127, false, false}, {-1, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsStaveLine(c.pitch, false), c.keystave) << c.pitch;
        EXPECT_EQ(IsStaveLine(c.pitch, true), c.conventional) << c.pitch;
    }
}

// Pitch 80 on a type-0 stave with ledger lines: F#5, G#5 and A#5 beside the note and
// none of them across the line; nothing at the stave's own top line or below.
TEST(LedgerLines, HighNoteGetsItsWholeBlackKeyGroup) {
    CScore s = drawingScore(3, {{0, 0, 96, 80}}, {0});
    s.prefs.extendmode = ExtendMode::LedgerLines;
    layOut(s);
    const auto r = record(s);
    const int32_t x = tickToX(s, 0, 0);
    const auto ledgers = inElement(*r, DrawnItem::Type::Line, QStringLiteral("chord 0"));
    std::vector<int32_t> ys;
    for (const DrawnItem& i : ledgers) {
        if (i.points[0].y() != i.points[1].y()) continue;  // the stem
        EXPECT_EQ(i.points[0].x(), x - kUnit);
        EXPECT_EQ(i.points[1].x(), x + 4 * kUnit);
        ys.push_back(i.points[0].y());
    }
    EXPECT_EQ(ys, (std::vector<int32_t>{yOf(s, 0, 82), yOf(s, 0, 80), yOf(s, 0, 78)}));
    for (int32_t p : {78, 80, 82})
        EXPECT_TRUE(fullWidthAt(*r, s, yOf(s, 0, p)).empty()) << p;
    EXPECT_EQ(fullWidthAt(*r, s, yOf(s, 0, 75)).size(), 1u);  // the top stave line
}

TEST(LedgerLines, LowNoteAndChordOuterNotesOnly) {
    CScore s = drawingScore(3, {{2, 0, 96, 36}, {0, 0, 96, 66}, {0, 0, 96, 90}}, {0, 2});
    s.prefs.extendmode = ExtendMode::AffectedBars;
    s.prefs.showonlyusedlines = false;
    layOut(s);
    const auto r = record(s);
    // Ledger lines are the horizontal lines of chords, round(5u) long.
    std::vector<int32_t> got;
    for (const DrawnItem& i : r->itemsOf(DrawnItem::Type::Line, QStringLiteral("chord")))
        if (i.points[0].y() == i.points[1].y() && i.points[1].x() - i.points[0].x() == 5 * kUnit)
            got.push_back(i.points[0].y());
    // C2 takes C#2 and D#2; the chord's high note 90 (F#6) takes its group F#6..A#6 and
    // the lines down to the stave; its low note inside the stave takes none.
    std::vector<int32_t> want;
    for (int32_t p : {37, 39, 94, 92, 90, 87, 85, 82, 80, 78})
        want.push_back(yOf(s, 0, p));
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
}

// Extend modes beyond the default range: dashed lines across the whole line with "Extend
// Stave Lines", faded ones with "Extend Full Stave, Faded", none with ledger lines.
TEST(StaveLines, ExtendModesDecideThePenBeyondTheDefaultRange) {
    for (int32_t mode : {ExtendMode::LedgerLines, ExtendMode::StaveLines, ExtendMode::FullStave,
                         ExtendMode::FullStaveFaded}) {
        CScore s = drawingScore(3, {{0, 0, 96, 84}}, {0});
        s.prefs.extendmode = mode;
        s.prefs.colourmode = 0;
        layOut(s);
        const auto r = record(s, {}, false);
        const auto beyond = fullWidthAt(*r, s, yOf(s, 0, 87));  // D#6, above the range
        const auto inside = fullWidthAt(*r, s, yOf(s, 0, 73));  // C#5
        ASSERT_EQ(inside.size(), 1u) << mode;
        EXPECT_EQ(inside[0].pen.colour, QColor(Qt::black));
        EXPECT_EQ(inside[0].pen.style, PenStyle::Solid);
        if (mode == ExtendMode::LedgerLines) {
            EXPECT_TRUE(beyond.empty());
            continue;
        }
        ASSERT_EQ(beyond.size(), 1u) << mode;
        EXPECT_EQ(beyond[0].points[1].x(), s.bar(2).right);
        EXPECT_EQ(beyond[0].pen.style,
                  mode == ExtendMode::StaveLines ? PenStyle::Dashed : PenStyle::Solid);
        EXPECT_EQ(beyond[0].pen.colour,
                  mode == ExtendMode::FullStaveFaded ? QColor(153, 153, 153) : QColor(Qt::black));
    }
}

TEST(StaveLinePen, ColourFadeAndThickness) {
    CScore s = drawingScore(1, {}, {0});
    s.prefs.extendmode = ExtendMode::FullStaveFaded;
    s.prefs.thicklines = true;
    s.prefs.colourmode = 2;  // stave lines in octave colours
    layOut(s);
    RecordingSurface surface;
    CDrawContext ctx(surface, s, CViewState{}, a4Page());
    const int w = ctx.w;
    // Thick lines on C# and D# only.
    for (int32_t p : {61, 63, 66, 68, 70}) {
        const Pen pen = StaveLinePen(ctx, p);
        EXPECT_EQ(pen.width, (p == 61 || p == 63) ? 2 * w : w) << p;
        EXPECT_EQ(pen.colour, octaveColour(p)) << p;
    }
    EXPECT_EQ(StaveLinePen(ctx, 61, false, false, true).width, w);
    // Beyond the range the octave colour is faded once; a head's pen always is.
    EXPECT_EQ(StaveLinePen(ctx, 90).colour, fade(octaveColour(90)));
    EXPECT_EQ(StaveLinePen(ctx, 66, false, true).colour, fade(octaveColour(66)));
    // Black and white: faded lines are light grey; forceColour colours them anyway.
    s.prefs.colourmode = 0;
    CDrawContext bw(surface, s, CViewState{}, a4Page());
    EXPECT_EQ(StaveLinePen(bw, 90).colour, QColor(153, 153, 153));
    EXPECT_EQ(StaveLinePen(bw, 66).colour, QColor(Qt::black));
    EXPECT_EQ(StaveLinePen(bw, 66, true).colour, octaveColour(66));
}

TEST(StaveLinePen, MadeAgainOnlyWhenColourDashOrThicknessChanges) {
    CScore s = drawingScore(1, {}, {0});
    s.prefs.thicklines = true;
    s.prefs.colourmode = 0;
    layOut(s);
    RecordingSurface surface;
    CDrawContext ctx(surface, s, CViewState{}, a4Page());
    StaveLinePen(ctx, 66);
    StaveLinePen(ctx, 68);
    StaveLinePen(ctx, 70);  // F#, G#, A#: one pen
    EXPECT_EQ(ctx.stavePens.created, 1);
    StaveLinePen(ctx, 73);  // C#: thick
    StaveLinePen(ctx, 75);
    EXPECT_EQ(ctx.stavePens.created, 2);
    StaveLinePen(ctx, 78);  // thin again
    EXPECT_EQ(ctx.stavePens.created, 3);
}

TEST(StaveLines, ThickLinesOnlyOnTheTwoBlackKeyGroup) {
    CScore s = drawingScore(3, {}, {0, 2});
    s.prefs.thicklines = true;
    layOut(s);
    const auto r = record(s, {}, false);
    RecordingSurface probe;
    const int w = CDrawContext(probe, s, CViewState{}, a4Page()).w;
    for (int32_t p = 42; p <= 75; ++p) {
        const auto lines = fullWidthAt(*r, s, yOf(s, 0, p));
        if (!IsStaveLine(p, false)) {
            EXPECT_TRUE(lines.empty()) << p;
            continue;
        }
        ASSERT_EQ(lines.size(), 1u) << p;
        EXPECT_EQ(lines[0].pen.width, (p % 12 == 1 || p % 12 == 3) ? 2 * w : w) << p;
    }
}

namespace {

struct BarLineCase {
    int32_t style;
    int direction;
    std::vector<int32_t> strokes;  // offsets from x, before the direction is applied
    bool dots;
};

std::vector<int32_t> strokeOffsets(const RecordingSurface& s, int32_t x) {
    std::vector<int32_t> out;
    for (const DrawnItem& i : s.itemsOf(DrawnItem::Type::Line))
        if (i.points[0].x() == i.points[1].x()) out.push_back(i.points[0].x() - x);
    return out;
}

}  // namespace

TEST(BarLines, StylesDrawTheirStrokesInward) {
    CScore s = drawingScore(3, {}, {0, 2});
    layOut(s);
    const LineGeometry g = [&] {
        RecordingSurface probe;
        CDrawContext ctx(probe, s, CViewState{}, a4Page());
        return lineGeometry(ctx, 0);
    }();
    RecordingSurface probe;
    const int w = CDrawContext(probe, s, CViewState{}, a4Page()).w;
    const int32_t thin = 90;  // round(1.5u)
    const BarLineCase cases[] = {
        {BarStyle::Single, 1, {0}, false},
        {BarStyle::Thick, 1, {0, w / 2, w}, false},
        {BarStyle::Double, 1, {0, kUnit}, false},
        {BarStyle::Repeat, 1, {0, w / 2, w, thin}, true},
        {BarStyle::Repeat, -1, {0, w / 2, w, thin}, true},
        {BarStyle::Final, -1, {0, w / 2, w, thin}, false},
        {5, 1, {}, false},
        {-1, 1, {}, false},
    };
    const int32_t x = 3000;
    for (const BarLineCase& c : cases) {
        RecordingSurface r;
        CDrawContext ctx(r, s, CViewState{}, a4Page());
        DrawBarLine(ctx, g, c.style, x, c.direction);
        std::vector<int32_t> want;
        for (int32_t o : c.strokes)
            want.push_back(c.direction * o);
        EXPECT_EQ(strokeOffsets(r, x), want) << c.style << " " << c.direction;
        for (const DrawnItem& i : r.itemsOf(DrawnItem::Type::Line)) {
            EXPECT_EQ(i.points[0].y(), g.topLineY);
            EXPECT_EQ(i.points[1].y(), g.bottomLineY);
            EXPECT_EQ(i.pen.width, w);
        }
        const auto dots = r.texts(glyphText(glyph::RepeatDot));
        if (!c.dots) {
            EXPECT_TRUE(dots.empty());
            continue;
        }
        // Upper dots at G4 and A4, lower ones at D3 and E3, each 36864/65536 of a step up.
        ASSERT_EQ(dots.size(), 4u);
        const int32_t pitches[] = {67, 69, 50, 52};
        for (size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(dots[k].points[0],
                      QPoint(x + c.direction * 2 * thin,
                             fractionalPitchToY(g.line, kUnit, pitches[k] * 65536 + 36864)));
            EXPECT_EQ(dots[k].align, TextAlign::Centre + TextAlign::Top);
            EXPECT_EQ(dots[k].font, ctx.largeMusic);
        }
    }
}

// With only the used lines shown, a line that does not reach 70..72 leaves out the
// upper dots; the lower ones need the range to reach 49..50 and a stave type other
// than 2.
TEST(BarLines, RepeatDotsOfHandsThatAreShown) {
    CScore s = drawingScore(3, {{2, 0, 96, 45}, {2, 96, 96, 55}}, {0, 2});
    s.prefs.showonlyusedlines = true;
    layOut(s);
    s.bars[1].styleLeft = BarStyle::Repeat;
    const auto r = record(s, {}, false);
    const auto dots = r->texts(glyphText(glyph::RepeatDot));
    ASSERT_EQ(dots.size(), 2u);
    const CScoreLine& line = s.line(0);
    EXPECT_EQ(dots[0].points[0].y(), fractionalPitchToY(line, kUnit, 50 * 65536 + 36864));
}

TEST(StaveStart, BraceSpansTheDefaultStave) {
    struct Case {
        int32_t stavetype;
        bool reduced;
        int32_t size;
        int32_t pitch;
    } cases[] = {{0, false, 38, 76}, {0, true, 33, 76},  {1, false, 24, 71},
                 {1, true, 21, 71},  {3, false, 20, 78}, {2, false, 0, 0}};
    for (const Case& c : cases) {
        CScore s = drawingScore(3, {}, {0, 2});
        s.prefs.stavetype = c.stavetype;
        s.prefs.reducedspacing = c.reduced;
        s.prefs.stavegap = 3;
        layOut(s);
        const auto r = record(s, {}, false);
        const auto brace = r->texts(glyphText(glyph::StaveStart));
        if (c.size == 0) {
            EXPECT_TRUE(brace.empty());
            continue;
        }
        ASSERT_EQ(brace.size(), 1u) << c.stavetype;
        const CScoreLine& line = s.line(0);
        RecordingSurface probe;
        CDrawContext ctx(probe, s, CViewState{}, a4Page());
        EXPECT_EQ(brace[0].font.height, -(c.size + line.handGap) * kUnit) << c.stavetype;
        EXPECT_EQ(brace[0].font.width, 150);
        EXPECT_NEAR(brace[0].rect.right(), s.bar(0).left - ctx.w, 2) << c.stavetype;
        EXPECT_EQ(brace[0].rect.top(), pitchToY(line, kUnit, c.pitch - 1)) << c.stavetype;
    }
}

TEST(StaveStart, NotWithKeyboardsNorAPartialStave) {
    CScore s = drawingScore(3, {}, {0, 2});
    s.prefs.showkeyboards = true;
    layOut(s);
    EXPECT_TRUE(record(s, {}, false)->texts(glyphText(glyph::StaveStart)).empty());
    CScore used = drawingScore(3, {{0, 0, 96, 72}}, {0});
    used.prefs.showonlyusedlines = true;
    layOut(used);
    EXPECT_TRUE(record(used, {}, false)->texts(glyphText(glyph::StaveStart)).empty());
}

TEST(KeyboardGuides, BlackKeysAndOutlinesBesideTheStave) {
    CScore s = drawingScore(3, {}, {0, 2});
    s.prefs.showkeyboards = true;
    layOut(s);
    const auto r = record(s, {}, false);
    const int32_t x0 = s.bar(0).left, x1 = s.bar(2).right;
    const int32_t reach = 9 * kUnit;
    // Every black key of the stave: its line across both keyboards and two keys.
    const int32_t y = yOf(s, 0, 66);
    const auto lines = horizontalsAt(*r, y, kStave);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0].x(), x0 - reach);
    EXPECT_EQ(lines[0].points[1].x(), x1 + reach);
    std::vector<QRect> keys;
    for (const DrawnItem& i : r->itemsOf(DrawnItem::Type::FillRect))
        if (i.rect.top() == y - 30) keys.push_back(i.rect);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], QRect(x0 - reach, y - 30, 362, 60));  // round(6.03u) = 362
    EXPECT_EQ(keys[1], QRect(x1, y - 30, reach - 178, 60));  // round(2.97u) = 178
    // White keys only on the keyboards: E-F border halfway between E4 and F4.
    const int32_t ef = (yOf(s, 0, 64) + yOf(s, 0, 65)) / 2;
    const auto borders = horizontalsAt(*r, ef, kStave);
    ASSERT_EQ(borders.size(), 2u);
    EXPECT_EQ(borders[0].points[1].x(), x0);
    EXPECT_EQ(borders[1].points[0].x(), x1);
    // Outer edges of the keyboards.
    int verticals = 0;
    for (const DrawnItem& i : r->itemsOf(DrawnItem::Type::Line, kStave))
        if (i.points[0].x() == i.points[1].x() &&
            (i.points[0].x() == x0 - reach || i.points[0].x() == x1 + reach))
            ++verticals;
    EXPECT_EQ(verticals, 2);
}

// "Extend Stave on Affected Bars": a bar with a note beyond the stave draws the lines of
// that note's group across itself only.
TEST(AffectedBars, ExtensionAcrossTheBarOnly) {
    CScore s = drawingScore(3, {{0, 384, 96, 80}}, {0});
    s.prefs.extendmode = ExtendMode::AffectedBars;
    layOut(s);
    const auto r = record(s, {}, false);
    for (int32_t p : {78, 80, 82}) {
        const auto lines = horizontalsAt(*r, yOf(s, 0, p), QStringLiteral("bar"));
        ASSERT_EQ(lines.size(), 1u) << p;
        EXPECT_EQ(lines[0].element, QStringLiteral("bar 1"));
        EXPECT_EQ(lines[0].points[0].x(), s.bar(1).left);
        EXPECT_EQ(lines[0].points[1].x(), s.bar(1).right);
    }
    EXPECT_TRUE(horizontalsAt(*r, yOf(s, 0, 85), QStringLiteral("bar")).empty());
}

TEST(AffectedBars, FirstBarWithClefStartsBeforeItsFirstNote) {
    CScore s = drawingScore(3, {{0, 96, 96, 40}, {2, 192, 96, 50}}, {0, 2});
    s.prefs.extendmode = ExtendMode::AffectedBars;
    s.prefs.showclefs = true;
    layOut(s);
    const auto r = record(s, {}, false);
    const auto lines = horizontalsAt(*r, yOf(s, 0, 39), QStringLiteral("bar"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0].x(), tickToX(s, 0, 96) - 2 * kUnit);
}

TEST(StaveLines, ScreenDrawsOnlyTheVisibleSpanAndOtherPagesNothing) {
    CScore s = drawingScore(3, {}, {0, 2});
    layOut(s);
    const QRect visible(2000, 0, 1000, 20000);
    const auto r = record(s, {}, false, CSurface::Kind::Screen, visible);
    const auto lines = horizontalsAt(*r, yOf(s, 0, 66), kStave);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0].x(), 2000 - 4 * kUnit);
    EXPECT_EQ(lines[0].points[1].x(), visible.right() + 4 * kUnit);
    // Printing draws the whole line whatever is visible.
    const auto printed = record(s, {}, false, CSurface::Kind::Printer, visible);
    EXPECT_EQ(horizontalsAt(*printed, yOf(s, 0, 66), kStave)[0].points[0].x(), s.bar(0).left);
    CViewState other;
    other.page = 1;
    EXPECT_TRUE(record(s, other)->items().empty());
}
