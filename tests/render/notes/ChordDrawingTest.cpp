// Chords: the note-value table, heads (seconds, colour modes), dots, stems and flags.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/layout/TickMapping.h"
#include "render/draw/NoteValues.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

struct Sizes {
    double H, W;
    int w;
};

Sizes sizesOf(const CScore& s) {
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    return {ctx.H, ctx.W, ctx.w};
}

// The texts drawn for note `note` of the chord element.
std::vector<DrawnItem> noteTexts(const RecordingSurface& r, int note) {
    return inElement(r, DrawnItem::Type::Text, QStringLiteral("note %1").arg(note));
}

std::vector<DrawnItem> chordLines(const RecordingSurface& r, int chord) {
    return inElement(r, DrawnItem::Type::Line, QStringLiteral("chord %1").arg(chord));
}

DrawnItem stemOf(const RecordingSurface& r, int chord) {
    for (const DrawnItem& i : chordLines(r, chord))
        if (i.points[0].x() == i.points[1].x()) return i;
    ADD_FAILURE() << "no stem";
    return {};
}

int32_t rnd(double v) {
    return CDrawContext::round(v);
}

}  // namespace

TEST(NoteValues, FirstRowLongEnoughForTheDuration) {
    struct Case {
        int32_t duration;
        int row;
    } cases[] = {{1, 0},   {12, 0},   {13, 1},   {24, 1},   {36, 2},   {48, 3},
                 {60, 4},  {72, 4},   {84, 5},   {96, 6},   {97, 7},   {168, 8},
                 {192, 9}, {288, 10}, {336, 11}, {384, 12}, {576, 13}, {577, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(noteValueRowFor(c.duration, 12), c.row) << c.duration;
    EXPECT_EQ(noteValueRowFor(12, 0), -1);
    // Inside a tuplet the unit halves: a triplet eighth (32 ticks) is row 4.
    EXPECT_EQ(noteValueUnit(96, ChordFlag::Tuplet), 6);
    EXPECT_EQ(noteValueRowFor(32, noteValueUnit(96, ChordFlag::Tuplet)), 4);
    const NoteValue& r4 = noteValueRow(4);
    EXPECT_EQ(r4.flags, 1);
    EXPECT_EQ(r4.dots, 1);
    EXPECT_EQ(noteValueRow(12).stem, false);
    EXPECT_EQ(noteValueRow(9).headGlyph, glyph::HeadHollow);
}

// 5 L (60 ticks) shows as a dotted eighth: a filled head, one flag, one dot.
TEST(Chords, FiveUnitsAreADottedEighth) {
    CScore s = drawingScore(3, {{0, 0, 60, 67}}, {0});
    layOut(s);
    const auto r = record(s);
    const Sizes z = sizesOf(s);
    const auto texts = noteTexts(*r, 0);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, glyphText(glyph::HeadFilled));
    const int32_t x = tickToX(s, 0, 0);
    EXPECT_EQ(texts[0].points[0], QPoint(x, rnd(yOf(s, 0, 67) - z.H / 2)));
    EXPECT_EQ(texts[1].text, glyphText(glyph::Dot));
    EXPECT_EQ(texts[1].points[0].x(), rnd(x + z.W) + 30);       // + rnd(u/2)
    EXPECT_EQ(texts[1].points[0].y(), texts[0].points[0].y());  // G is a white key
    const auto flags = inElement(*r, DrawnItem::Type::Text, QStringLiteral("chord 0"));
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].text, glyphText(glyph::FlagUp));
}

TEST(Chords, DotsOfBlackKeysRiseAndDoubleDotsFollow) {
    CScore s = drawingScore(3, {{0, 0, 168, 66}}, {0});  // 14 L: double-dotted quarter
    layOut(s);
    const auto r = record(s);
    const auto texts = noteTexts(*r, 0);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].points[0].y(), texts[0].points[0].y() - 30);
    EXPECT_EQ(texts[2].points[0].x() - texts[1].points[0].x(), 45);  // rnd(0.75u)
}

// Seconds: the upper head of two one position apart moves aside. On the normal stave
// C4 + C#4 are one position apart, E4 + F4 two.
TEST(Chords, DisplacedSeconds) {
    struct Case {
        int32_t low, high;
        bool reduced;
        bool displaced;
    } cases[] = {{60, 61, false, true},  {64, 65, false, false}, {64, 65, true, true},
                 {71, 72, false, false}, {62, 64, false, false}, {66, 67, false, true}};
    for (const Case& c : cases) {
        CScore s = drawingScore(3, {{0, 0, 96, c.low}, {0, 0, 96, c.high}}, {0});
        s.prefs.reducedspacing = c.reduced;
        layOut(s);
        const auto r = record(s);
        const int32_t x = tickToX(s, 0, 0);
        const Sizes z = sizesOf(s);
        EXPECT_EQ(noteTexts(*r, 0)[0].points[0].x(), x);
        const int32_t shift = c.displaced ? rnd(z.W - z.w) : 0;  // right of an up stem
        EXPECT_EQ(noteTexts(*r, 1)[0].points[0].x(), x + shift) << c.low << "+" << c.high;
    }
}

TEST(Chords, SecondsOfADownStemGoLeftAndThirdNoteStaysInPlace) {
    CScore s = drawingScore(3, {{2, 0, 96, 48}, {2, 0, 96, 49}, {2, 0, 96, 50}}, {2});
    layOut(s);
    const auto r = record(s);
    const int32_t x = tickToX(s, 0, 0);
    const Sizes z = sizesOf(s);
    EXPECT_EQ(noteTexts(*r, 0)[0].points[0].x(), x);
    EXPECT_EQ(noteTexts(*r, 1)[0].points[0].x(), x - rnd(z.W * 17 / 24));
    EXPECT_EQ(noteTexts(*r, 2)[0].points[0].x(), x);
}

// Colour heads draw the black outer layer, then the inner layer in the octave colour
// (faded for a grey note); black and white draws the head glyph alone.
TEST(Chords, HeadsByColourMode) {
    CScore s = drawingScore(3, {{0, 0, 192, 72}, {0, 192, 192, 72}}, {0});
    s.tracks[0].notes[0].flags |= NoteFlag::TieStart;
    s.tracks[0].notes[1].flags |= NoteFlag::TieEnd;
    s.prefs.colourmode = 4;
    s.prefs.grayties = true;
    layOut(s);
    auto r = record(s);
    auto first = noteTexts(*r, 0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].text, QStringLiteral("L"));  // hollow + 21
    EXPECT_EQ(first[0].colour, QColor(Qt::black));
    EXPECT_EQ(first[1].text, QStringLiteral("I"));  // hollow + 18
    EXPECT_EQ(first[1].colour, octaveColour(72));
    auto tied = noteTexts(*r, 1);
    EXPECT_EQ(tied[0].colour, CDrawContext::grey());
    EXPECT_EQ(tied[1].colour, fade(octaveColour(72)));
    s.prefs.colourmode = 0;
    r = record(s);
    first = noteTexts(*r, 0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].text, glyphText(glyph::HeadHollow));
}

TEST(Chords, OtherPartsAreGreyInMusicMode) {
    CScore s = drawingScore(3, {{0, 0, 96, 72}, {2, 0, 96, 48}}, {0, 2});
    layOut(s);
    CViewState view;
    view.mode = ViewMode::Music;
    view.currentPart = 2;
    view.lines = {s.line(0)};
    const auto r = record(s, view);
    // Chord 0 of each part: the first "note" texts are part 0's, drawn first.
    const auto heads = r->texts(glyphText(glyph::HeadFilled));
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].colour, CDrawContext::grey());
    EXPECT_EQ(heads[1].colour, QColor(Qt::black));
}

TEST(Stems, UpAndDownGeometry) {
    CScore s =
        drawingScore(3, {{0, 0, 96, 64}, {0, 0, 96, 71}, {2, 0, 96, 43}, {2, 0, 96, 50}}, {0, 2});
    layOut(s);
    const auto r = record(s);
    const Sizes z = sizesOf(s);
    const int32_t x = tickToX(s, 0, 0);
    auto top = [&](int32_t pitch) { return rnd(yOf(s, 0, pitch) - z.H / 2); };
    const auto stems = r->itemsOf(DrawnItem::Type::Line, QStringLiteral("chord"));
    std::vector<DrawnItem> vertical;
    for (const DrawnItem& i : stems)
        if (i.points[0].x() == i.points[1].x()) vertical.push_back(i);
    ASSERT_EQ(vertical.size(), 2u);
    // Right hand up: at x + W - 12w/16, from u below the low head's top to 7u above the
    // high head's top.
    EXPECT_EQ(vertical[0].points[0], QPoint(rnd(x + z.W - z.w * 12.0 / 16), top(64) + 60));
    EXPECT_EQ(vertical[0].points[1].y(), top(71) - 7 * 60);
    // Left hand down: at x + 10w/16, from u below the high head's top to 8u below the low
    // head's top.
    EXPECT_EQ(vertical[1].points[0], QPoint(rnd(x + z.w * 10.0 / 16), top(50) + 60));
    EXPECT_EQ(vertical[1].points[1].y(), top(43) + 8 * 60);
    EXPECT_EQ(vertical[0].pen.width, z.w);
}

TEST(Stems, FlagsAtTheFarEndTwoUnitsApart) {
    CScore s = drawingScore(3, {{0, 0, 24, 72}, {2, 96, 12, 48}}, {0, 2});
    layOut(s);
    const auto r = record(s);
    const Sizes z = sizesOf(s);
    const DrawnItem up = stemOf(*r, 0);
    auto flags = inElement(*r, DrawnItem::Type::Text, QStringLiteral("chord 0"));
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0].text, glyphText(glyph::FlagUpRepeated));
    EXPECT_EQ(flags[0].points[0], up.points[1]);
    EXPECT_EQ(flags[1].points[0], up.points[1] + QPoint(0, 120));
    // The left hand's thirty-second: three down flags, w/2 left of the stem.
    const int downChord = s.tracks[2].chords.lowerBound(CChord{.time = 96});
    const DrawnItem down = stemOf(*r, downChord);
    flags = inElement(*r, DrawnItem::Type::Text, QStringLiteral("chord %1").arg(downChord));
    ASSERT_EQ(flags.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(flags[size_t(k)].text, glyphText(glyph::FlagDownRepeated));
        EXPECT_EQ(flags[size_t(k)].points[0], down.points[1] + QPoint(-(z.w / 2), -120 * k));
    }
}

TEST(Stems, NoneWithoutShowStemsOrForWholeNotes) {
    CScore s = drawingScore(3, {{0, 0, 384, 72}, {0, 384, 96, 72}}, {0});
    layOut(s);
    auto r = record(s);
    EXPECT_TRUE(chordLines(*r, 0).empty());
    EXPECT_FALSE(chordLines(*r, 1).empty());
    s.prefs.showstems = false;
    r = record(s);
    EXPECT_TRUE(chordLines(*r, 1).empty());
}

// A duration beyond the longest row (here a note held over two bars) is not drawn as
// notes.
TEST(Chords, TooLongToShowIsNotDrawn) {
    CScore s = drawingScore(3, {{0, 0, 768, 72}, {0, 768, 96, 72}}, {0});
    layOut(s);
    const auto r = record(s);
    EXPECT_TRUE(noteTexts(*r, 0).empty());
    EXPECT_EQ(noteTexts(*r, 1).size(), 1u);
}
