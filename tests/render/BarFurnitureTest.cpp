// Bar furniture: clefs, keystave and conventional key signatures, time signatures, bar
// numbers and volta brackets.
#include <gtest/gtest.h>

#include "MarksTestUtil.h"
#include "render/layout/MusicLine.h"
#include "render/layout/TickMapping.h"
#include "render/draw/BarFurniture.h"
#include "render/draw/Drawing.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

std::vector<DrawnItem> glyphsIn(const MarksFixture& f, const QString& element) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : f.inElement(element))
        if (i.type == DrawnItem::Type::Text) out.push_back(i);
    return out;
}

}  // namespace

TEST(BarFurniture, TwelveEightPrintsTwoDigitNumbersAndTakesTwelveUnits) {
    CScore s = marksScore(2);
    s.prefs.showtimesignature = true;
    s.setTimeSignature(12, 8, 0);
    s.setLength(2 * 576);
    MarksFixture f(std::move(s));
    const CScoreBar& bar = f.score.bar(0);
    ASSERT_TRUE(bar.flags & BarFlag::TimeSigWide);
    EXPECT_EQ(fixedPrefix(bar, f.score.unit), 120);  // 12 units
    CDrawContext ctx = f.context();
    DrawBarFurniture(ctx, 0, 0);
    const auto digits = glyphsIn(f, QStringLiteral("timesig 0"));
    ASSERT_EQ(digits.size(), 2u);
    EXPECT_EQ(digits[0].text, QStringLiteral("12"));
    EXPECT_EQ(digits[1].text, QStringLiteral(" 8"));
    // Each number's top lies the letter font's descent above its pitch (70 and 65), at
    // the bar's start plus one unit.
    const CScoreLine& line = f.score.line(0);
    const int descent = qRound(f.surface.measure(ctx.letter, {}).descent);
    EXPECT_EQ(digits[0].points[0], QPoint(line.left + 10, pitchToY(line, 10, 70) - descent));
    EXPECT_EQ(digits[1].points[0], QPoint(line.left + 10, pitchToY(line, 10, 65) - descent));
    EXPECT_EQ(digits[0].font, ctx.letter);

    // One-digit signatures print plainly.
    CTimeSignature threeFour{.nom = 3, .denom = 4};
    EXPECT_EQ(timeSignatureText(3, threeFour), QStringLiteral("3"));
    EXPECT_EQ(timeSignatureText(4, CTimeSignature{.nom = 4, .denom = 16}), QStringLiteral(" 4"));
}

TEST(BarFurniture, ClefsKeyAndTimeSignatureFollowEachOther) {
    CScore s = marksScore(2);
    s.prefs.showclefs = s.prefs.showkey = s.prefs.showtimesignature = true;
    s.setKeySignature(9, 0);  // two flats: B flat major
    s.setTimeSignature(4, 4, 0);
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawBarFurniture(ctx, 0, 0);
    const CScoreLine& line = f.score.line(0);
    const int x = line.left + 10;

    const auto clefs = glyphsIn(f, QStringLiteral("clef 0"));
    ASSERT_EQ(clefs.size(), 2u);
    EXPECT_EQ(clefs[0].text, glyphText(glyph::ClefUpper));
    EXPECT_EQ(clefs[0].points[0], QPoint(x, pitchToY(line, 10, 76) - 10));
    EXPECT_EQ(clefs[1].text, glyphText(glyph::ClefLower));
    EXPECT_EQ(clefs[1].points[0], QPoint(x, pitchToY(line, 10, 56)));
    EXPECT_EQ(clefs[0].font, ctx.largeMusic);

    // Seven diamonds after the clefs, one per scale note of B flat major (58 60 62 63 65
    // 67 69), centred on their heights; the black keys (58, 63) are filled and shifted
    // left by half a diamond, as flat keys are.
    const auto diamonds = glyphsIn(f, QStringLiteral("keysig 0"));
    ASSERT_EQ(diamonds.size(), 7u);
    const int keyX = x + 90;
    const double half = f.surface.measure(ctx.music, glyphText(glyph::DiamondBlackKey)).width / 2;
    const int pitches[7] = {58, 60, 62, 63, 65, 67, 69};
    for (int i = 0; i < 7; ++i) {
        const bool black = pitches[i] == 58 || pitches[i] == 63;
        EXPECT_EQ(diamonds[i].text,
                  glyphText(black ? glyph::DiamondBlackKey : glyph::DiamondWhiteKey));
        EXPECT_EQ(diamonds[i].points[0].x(), black ? qRound(keyX - half) : keyX) << i;
        EXPECT_EQ(diamonds[i].points[0].y(), qRound(pitchToY(line, 10, pitches[i]) - ctx.H / 2))
            << i;
    }
    // The time signature comes 4 units after the key signature.
    const auto digits = glyphsIn(f, QStringLiteral("timesig 0"));
    ASSERT_EQ(digits.size(), 2u);
    EXPECT_EQ(digits[0].points[0].x(), keyX + 40);
}

TEST(BarFurniture, KeySignatureShiftsFollowTheKey) {
    struct Case {
        int key;
        bool reduced;
        int32_t shiftedPitch;  // one diamond that moves aside
        int direction;
    };
    const Case cases[] = {
        {5, false, 66, +1},   // D major: F sharp moves right
        {20, false, 66, +1},  // B minor, the same signature
        {7, true, 64, +1},    // C major with reduced spacing: E next to F moves right
        {8, true, 64, -1},    // F major with reduced spacing: E moves left
        {6, true, 59, +1},    // G major with reduced spacing: B next to C moves right
    };
    for (const Case& c : cases) {
        CScore s = marksScore(1);
        s.prefs.showkey = true;
        s.prefs.reducedspacing = c.reduced;
        s.setKeySignature(c.key, 0);
        MarksFixture f(std::move(s));
        CDrawContext ctx = f.context();
        DrawBarFurniture(ctx, 0, 0);
        const CScoreLine& line = f.score.line(0);
        const int x = line.left + 10;
        const double half =
            f.surface.measure(ctx.music, glyphText(glyph::DiamondWhiteKey)).width / 2;
        const int y = qRound(pitchToY(line, 10, c.shiftedPitch) - ctx.H / 2);
        bool found = false;
        for (const DrawnItem& d : glyphsIn(f, QStringLiteral("keysig 0")))
            if (d.points[0].y() == y) {
                EXPECT_EQ(d.points[0].x(), qRound(x + c.direction * half)) << c.key;
                found = true;
            }
        EXPECT_TRUE(found) << c.key;
    }
}

TEST(BarFurniture, ConventionalLinesShowSharpsOnBothStaves) {
    CScore s = marksScore(1);
    s.prefs.stavetype = 3;
    s.prefs.showkey = true;
    s.setKeySignature(4, 0);  // three sharps: A major
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawBarFurniture(ctx, 0, 0);
    const auto signs = glyphsIn(f, QStringLiteral("keysig 0"));
    ASSERT_EQ(signs.size(), 6u);
    const CScoreLine& line = f.score.line(0);
    // F, C, G on the upper staff: each sign centred on its line or space, 1.75 units on.
    const int32_t places[3] = {77, 72, 79};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(signs[i].text, glyphText(glyph::Sharp));
        EXPECT_EQ(signs[i].points[0].x(), line.left + 10 + qRound(i * 17.5));
        EXPECT_EQ(signs[i].points[0].y(), qRound(pitchToY(line, 10, places[i]) - ctx.H / 2 - 125));
    }
    EXPECT_EQ(conventionalKeySignatureWidth(ctx, 4), 53);
    EXPECT_EQ(conventionalKeySignatureWidth(ctx, 7), 40);
}

TEST(BarFurniture, PageModeNumbersTheFirstBarOfEachLine) {
    CScore s = marksScore(6);
    s.prefs.showbarnumbers = true;
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    for (int bar = 0; bar < 6; ++bar)
        DrawBarFurniture(ctx, bar, f.score.bar(bar).line);
    const auto numbers = f.surface.itemsOf(DrawnItem::Type::Text, QStringLiteral("barnumber"));
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0].text, QStringLiteral("1"));
    EXPECT_EQ(numbers[1].text, QStringLiteral("4"));
    const CScoreLine& second = f.score.line(1);
    // At the line's start, with its top at pitch 75 + 5 (the default stave top).
    EXPECT_EQ(numbers[1].points[0], QPoint(second.left, pitchToY(second, 10, 80)));
    EXPECT_EQ(numbers[1].font, ctx.barNumber);

    // Switched off, Page mode numbers nothing.
    f.surface.clear();
    f.score.prefs.showbarnumbers = false;
    CDrawContext off = f.context();
    DrawBarFurniture(off, 0, 0);
    EXPECT_TRUE(f.surface.itemsOf(DrawnItem::Type::Text, QStringLiteral("barnumber")).empty());
}

TEST(BarFurniture, BarNumberHeightFollowsTheLine) {
    MarksFixture f(marksScore(2, {{0, 0, 96, 80}}));
    CDrawContext ctx = f.context();
    const CScoreLine& line = f.score.line(0);
    ASSERT_EQ(line.pitchHigh, 80);
    EXPECT_EQ(barNumberPitch(ctx, 0, line), 88);  // 80 rounds up to its group top, 83
    CScoreLine low = line;
    low.pitchHigh = 75;
    EXPECT_EQ(barNumberPitch(ctx, 0, low), 80);
    f.score.bars[0].flags |= BarFlag::Clef;
    EXPECT_EQ(barNumberPitch(ctx, 0, low), 81);  // raised above the clef
    EXPECT_EQ(barNumberPitch(ctx, 1, low), 80);
    low.flags |= LineFlag::OnlyUsedLines;
    low.pitchHigh = 63;
    EXPECT_EQ(barNumberPitch(ctx, 0, low), 72);  // a low collapsed stave with a clef: + 9
    low.flags = LineFlag::Conventional;
    EXPECT_EQ(barNumberPitch(ctx, 0, low), 93);
}

TEST(BarFurniture, MusicModeNumbersEveryBarAndALeadInBarIsZero) {
    // The music starts on the last beat of the first bar: a lead-in numbered 0.
    CScore s = marksScore(4, {{0, 288, 96, 64}, {0, 384, 96, 65}});
    s.prefs.hiderestsatstart = s.prefs.usebarzero = true;
    s.prefs.showbarnumbers = false;  // Music mode numbers every bar regardless
    MarksFixture f(std::move(s));
    f.view.mode = ViewMode::Music;
    f.view.lines = {layoutMusicLine(f.score, f.page)};
    CDrawContext ctx = f.context();
    for (int bar = 0; bar < 4; ++bar)
        DrawBarFurniture(ctx, bar, 0);
    const auto numbers = f.surface.itemsOf(DrawnItem::Type::Text, QStringLiteral("barnumber"));
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[0].text, QStringLiteral("1"));
    EXPECT_EQ(numbers[0].element, QStringLiteral("barnumber 1"));
    EXPECT_EQ(numbers[2].text, QStringLiteral("3"));
    EXPECT_EQ(numbers[1].points[0].x(), f.score.bar(2).left);

    // In Page mode bar 1 is still numbered though it is not the first of its line; the
    // next line starts at bar 3.
    f.surface.clear();
    f.view = CViewState{};
    f.score.prefs.showbarnumbers = true;
    fullRelayout(f.score, f.page);
    ASSERT_EQ(f.score.bar(1).line, 0);
    ASSERT_EQ(f.score.bar(3).line, 1);
    CDrawContext page = f.context();
    for (int bar = 0; bar < 4; ++bar)
        DrawBarFurniture(page, bar, f.score.bar(bar).line);
    const auto pageNumbers = f.surface.itemsOf(DrawnItem::Type::Text, QStringLiteral("barnumber"));
    ASSERT_EQ(pageNumbers.size(), 2u);
    EXPECT_EQ(pageNumbers[0].text, QStringLiteral("1"));
    EXPECT_EQ(pageNumbers[0].element, QStringLiteral("barnumber 1"));
    EXPECT_EQ(pageNumbers[1].text, QStringLiteral("3"));
}

TEST(BarFurniture, VoltaBracketsHookAtTheirEnds) {
    CScore s = marksScore(4);
    s.prefs.barsperline = 4;
    s.voltamarks = {{.type = VoltaType::Closed, .startbar = 1, .endbar = 2, .caption = "1."},
                    {.type = VoltaType::Open, .startbar = 3, .endbar = 3, .caption = "2."}};
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    for (int bar = 0; bar < 4; ++bar)
        DrawBarFurniture(ctx, bar, 0);
    const CScoreLine& line = f.score.line(0);
    // The bracket hangs from 3.5 units above the height of the stave top + 6.
    const int h = pitchToY(line, 10, staveTopPitch(line, StaveRange{}) + 6);
    const int top = h - 35;
    auto lines = [&](int volta) {
        std::vector<QVector<QPoint>> out;
        for (const DrawnItem& i : f.inElement(QStringLiteral("volta %1").arg(volta)))
            if (i.type == DrawnItem::Type::Line) out.push_back(i.points);
        return out;
    };
    const CScoreBar& b1 = f.score.bar(1);
    const CScoreBar& b2 = f.score.bar(2);
    const CScoreBar& b3 = f.score.bar(3);
    const auto first = lines(0);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0], QVector<QPoint>({{b1.left, h}, {b1.left, top}}));     // opening hook
    EXPECT_EQ(first[1], QVector<QPoint>({{b1.left, top}, {b1.right, top}}));  // bar 1
    EXPECT_EQ(first[2], QVector<QPoint>({{b2.left, top}, {b2.right - 20, top}}));
    EXPECT_EQ(first[3], QVector<QPoint>({{b2.right - 20, top}, {b2.right - 20, h}}));
    const auto second = lines(1);
    ASSERT_EQ(second.size(), 2u);  // opening hook and a line to the bar's end, open
    EXPECT_EQ(second[1], QVector<QPoint>({{b3.left, top}, {b3.right, top}}));
    const auto caption = f.texts(QStringLiteral("1."));
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].points[0], QPoint(b1.left + 20, top));
    EXPECT_EQ(caption[0].font, ctx.smallText);
    EXPECT_TRUE(f.inElement(QStringLiteral("volta 0")).size() > 0);
    EXPECT_TRUE(lines(2).empty());
}
