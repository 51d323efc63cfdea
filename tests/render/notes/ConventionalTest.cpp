// Conventional staves (stave types 3 and 4 in Page and Layout modes): placement by the
// key's spelling and by hand, accidentals, ledger lines and letter heads.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/layout/ConventionalSpelling.h"
#include "render/layout/TickMapping.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

CScore conventional(int32_t stavetype, std::initializer_list<TestNote> notes,
                    std::initializer_list<int> parts = {0, 2}) {
    CScore s = drawingScore(3, notes, parts);
    s.prefs.stavetype = stavetype;
    s.prefs.stavegap = 4;
    return s;
}

// The y of a diatonic position in the staff of a hand.
int32_t positionY(const CScore& s, int32_t position, bool lowerHand) {
    const CScoreLine& line = s.line(0);
    if (lowerHand) return line.originY + kUnit * (line.handGap - position + 60);
    return line.originY - kUnit * (position - 60);
}

std::vector<DrawnItem> noteTexts(const RecordingSurface& r, int note) {
    return inElement(r, DrawnItem::Type::Text, QStringLiteral("note %1").arg(note));
}

}  // namespace

TEST(Conventional, StaveLinesAreTheTwoFiveLineStaves) {
    CScore s = conventional(3, {});
    layOut(s);
    const auto r = record(s, {}, false);
    std::vector<int32_t> ys;
    for (const DrawnItem& i : r->itemsOf(DrawnItem::Type::Line, QStringLiteral("stave")))
        if (i.points[0].y() == i.points[1].y()) ys.push_back(i.points[0].y());
    std::vector<int32_t> want;
    for (int32_t p : {43, 47, 50, 53, 57, 64, 67, 71, 74, 77})
        want.push_back(yOf(s, 0, p));
    std::sort(ys.begin(), ys.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(ys, want);
}

// Accidentals in B-flat major: what the signature or an earlier sign in the bar does not
// already give. The sign stands 2 u before the chord, 12.5 u above the head's top.
TEST(Conventional, AccidentalsFollowTheKeyAndTheBar) {
    CScore s = conventional(3,
                            {{0, 0, 48, 64},     // E natural: natural sign
                             {0, 48, 48, 64},    // again: none
                             {0, 96, 48, 70},    // B flat: none
                             {0, 144, 48, 71},   // B natural: natural sign
                             {0, 192, 48, 70},   // B flat after it: flat sign
                             {0, 240, 48, 66},   // F sharp: sharp sign
                             {0, 384, 96, 64}},  // next bar, E natural again
                            {0});
    s.setKeySignature(9, 0);
    layOut(s);
    const auto r = record(s);
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    const char16_t none = 0;
    const char16_t expected[] = {glyph::Natural, none,         none,          glyph::Natural,
                                 glyph::Flat,    glyph::Sharp, glyph::Natural};
    for (int n = 0; n < 7; ++n) {
        const auto texts = noteTexts(*r, n);
        ASSERT_FALSE(texts.empty()) << n;
        const DrawnItem& head = texts.back();
        EXPECT_EQ(head.text, glyphText(glyph::HeadFilled));
        if (expected[n] == none) {
            EXPECT_EQ(texts.size(), 1u) << n;
            continue;
        }
        ASSERT_EQ(texts.size(), 2u) << n;
        EXPECT_EQ(texts[0].text, glyphText(expected[n])) << n;
        EXPECT_EQ(texts[0].font, ctx.largeMusic);
        const int32_t time = s.tracks[0].notes.at(n).time;
        const int32_t x = tickToX(s, s.barAtTick(time), time);
        EXPECT_EQ(texts[0].points[0], QPoint(x - 2 * kUnit, head.points[0].y() - 750)) << n;
    }
}

// Notes are placed by their spelled step, and by hand: the right hand's notes stay in
// the upper staff and the left hand's in the lower one, whatever their pitch.
TEST(Conventional, PlacedBySpellingAndByHand) {
    CScore s = conventional(3, {{0, 0, 96, 57}, {2, 0, 96, 64}, {0, 96, 96, 71}});
    s.setKeySignature(14, 0);  // seven flats: B is spelled C flat, E is F flat
    layOut(s);
    const auto r = record(s);
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    auto centreOf = [&](const DrawnItem& head) {
        return CDrawContext::round(head.points[0].y() + ctx.H / 2);
    };
    const auto heads = r->texts(glyphText(glyph::HeadFilled));
    ASSERT_EQ(heads.size(), 3u);
    // Draw order: part 0's chords, then part 2's.
    EXPECT_NEAR(centreOf(heads[0]), positionY(s, diatonicPosition(57, 14), false), 1);
    EXPECT_NEAR(centreOf(heads[1]), positionY(s, 42, false), 1);  // C flat 5 = C5's step
    EXPECT_NEAR(centreOf(heads[2]), positionY(s, 38, true), 1);   // F flat 4 in the bass staff
}

// Ledger lines run from the note's own staff to the note: middle C of the right hand
// gets one, E4 of the left hand two (C4 and E4), and C6 two (A5 and C6), never one
// beyond the note.
TEST(Conventional, LedgerLinesFromTheHandsStaff) {
    CScore s = conventional(3, {{0, 0, 96, 60}, {2, 0, 96, 64}, {0, 96, 96, 84}});
    layOut(s);
    const auto r = record(s);
    auto ledgersOf = [&](const QString& element) {
        std::vector<int32_t> ys;
        for (const DrawnItem& i : inElement(*r, DrawnItem::Type::Line, element))
            if (i.points[0].y() == i.points[1].y()) ys.push_back(i.points[0].y());
        return ys;
    };
    // "chord 0" of parts 0 and 2 both: the right hand's come first.
    const auto first = ledgersOf(QStringLiteral("chord 0"));
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], positionY(s, 35, false));
    EXPECT_EQ(first[1], positionY(s, 35, true));
    EXPECT_EQ(first[2], positionY(s, 37, true));
    EXPECT_EQ(ledgersOf(QStringLiteral("chord 1")),
              (std::vector<int32_t>{positionY(s, 47, false), positionY(s, 49, false)}));
}

// Letter notes: the stave cleared behind the head, the head in the pitch's colour and
// the letter spelled in the key on it (white on filled heads, black in hollow ones).
TEST(Conventional, LetterHeads) {
    CScore s = conventional(4, {{0, 0, 96, 71}, {0, 96, 192, 72}}, {0});
    s.setKeySignature(14, 0);
    layOut(s);
    const auto r = record(s);
    const auto filled = noteTexts(*r, 0);
    ASSERT_EQ(filled.size(), 3u);
    EXPECT_EQ(filled[0].text, glyphText(glyph::LetterHeadBackground));
    EXPECT_EQ(filled[0].colour, QColor(Qt::white));
    EXPECT_EQ(filled[1].text, glyphText(glyph::LetterHeadFilled));
    EXPECT_EQ(filled[1].colour, octaveColour(71));
    EXPECT_EQ(filled[2].text, QStringLiteral("C"));  // C flat
    EXPECT_EQ(filled[2].colour, QColor(Qt::white));
    EXPECT_EQ(filled[2].font.family, QStringLiteral("Times New Roman"));
    const auto hollow = noteTexts(*r, 1);
    ASSERT_EQ(hollow.size(), 3u);
    EXPECT_EQ(hollow[1].text, glyphText(glyph::LetterHeadHollow));
    EXPECT_EQ(hollow[2].text, QStringLiteral("C"));
    EXPECT_EQ(hollow[2].colour, QColor(Qt::black));
}

// In Music mode the same score is drawn on a keystave line.
TEST(Conventional, MusicModeDrawsKeystave) {
    CScore s = conventional(3, {{0, 0, 96, 64}}, {0});
    s.setKeySignature(9, 0);
    layOut(s);
    CViewState view;
    view.mode = ViewMode::Music;
    CScoreLine line = s.line(0);
    line.flags &= ~LineFlag::Conventional;
    view.lines = {line};
    const auto texts = noteTexts(*record(s, view), 0);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, glyphText(glyph::HeadFilled));
}
