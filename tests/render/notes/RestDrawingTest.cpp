// Rests: whole-bar rests, rests of a value inside a bar, rest offsets and cropping.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/layout/TickMapping.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

std::vector<DrawnItem> restTexts(const RecordingSurface& r, const QString& text) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : r.itemsOf(DrawnItem::Type::Text, QStringLiteral("rest")))
        if (i.text == text) out.push_back(i);
    return out;
}

const QString kBarRest = glyphText(glyph::BarRest);

int penWidth(const CScore& s) {
    RecordingSurface probe;
    return CDrawContext(probe, s, CViewState{}, a4Page()).w;
}

}  // namespace

// An empty part shows a whole-bar rest in each bar, centred between the bar's usable
// start and its end, hanging w/2 below the hand's whole-bar rest pitch.
TEST(Rests, WholeBarRestsByStaveType) {
    struct Case {
        int32_t stavetype;
        int32_t upper, lower;
    } cases[] = {{0, 71, 52}, {1, 69, 58}, {2, 69, 59}, {3, 76, 55}};
    for (const Case& c : cases) {
        CScore s = drawingScore(3, {}, {0, 2});
        s.prefs.stavetype = c.stavetype;
        layOut(s);
        const auto r = record(s);
        const auto rests = restTexts(*r, kBarRest);
        ASSERT_EQ(rests.size(), 6u) << c.stavetype;
        const CScoreBar& bar = s.bar(1);
        const int32_t start = tickToX(bar, bar.startTick, kUnit, true, false);
        const int32_t w = penWidth(s);
        EXPECT_EQ(rests[1].points[0],
                  QPoint(start + (bar.right - start) / 2, yOf(s, 0, c.upper) + w / 2))
            << c.stavetype;
        EXPECT_EQ(rests[4].points[0].y(), yOf(s, 0, c.lower) + w / 2) << c.stavetype;
        EXPECT_EQ(rests[1].align, TextAlign::Centre + TextAlign::Top);
    }
}

TEST(Rests, ValueRestsAtTheirBaseMovedByTheBarsOffset) {
    // Part 0: a quarter, then a quarter rest, then a half; part 1 the same a beat later.
    CScore s = drawingScore(
        3, {{0, 0, 96, 72}, {0, 192, 192, 72}, {1, 0, 192, 67}, {1, 288, 96, 67}}, {0, 1});
    layOut(s);
    s.bars[0].restoffset[1] = -2;
    const auto r = record(s);
    const auto quarters = restTexts(*r, glyphText(glyph::RestQuarter));
    ASSERT_EQ(quarters.size(), 2u);
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    // Part 0: centred on the middle of the rest (96 + 48), top at 71.5, large font.
    EXPECT_EQ(quarters[0].points[0],
              QPoint(tickToX(s, 0, 144), fractionalPitchToY(s.line(0), kUnit, 71 * 65536 + 32768)));
    EXPECT_EQ(quarters[0].font, ctx.largeMusic);
    EXPECT_EQ(quarters[0].colour, QColor(Qt::black));
    // Part 1: its base 63 moved down two steps, small font.
    EXPECT_EQ(quarters[1].points[0],
              QPoint(tickToX(s, 0, 240), fractionalPitchToY(s.line(0), kUnit, 61 * 65536)));
    EXPECT_EQ(quarters[1].font, ctx.smallMusic);
}

TEST(Rests, LongRestsSitAQuarterInAndKeepTheirDotsBesideThem) {
    CScore s = drawingScore(3, {{0, 0, 96, 72}}, {0});
    layOut(s);
    const auto r = record(s);
    // 288 ticks (24 L): a dotted half rest at 96 + 288 / 4.
    const auto halves = restTexts(*r, glyphText(glyph::RestHalf));
    ASSERT_EQ(halves.size(), 1u);
    const int32_t x = tickToX(s, 0, 96 + 72);
    EXPECT_EQ(halves[0].points[0].x(), x);
    const auto dots = restTexts(*r, glyphText(glyph::Dot));
    ASSERT_EQ(dots.size(), 1u);
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    EXPECT_EQ(dots[0].points[0],
              QPoint(x + 2 * kUnit, CDrawContext::round(yOf(s, 0, 70) - ctx.H / 2)));
}

// A rest chord that runs over bar lines is drawn bar by bar.
TEST(Rests, RestAcrossBarsIsDrawnInEachBar) {
    CScore s = drawingScore(3, {{0, 0, 96, 72}, {0, 1056, 96, 72}}, {0});
    layOut(s);
    ASSERT_EQ(s.tracks[0].chords.size(), 3);  // note, rest over two bar lines, note
    const auto r = record(s);
    // Bar 0 from 96 and bar 2 up to 1056 hold dotted half rests; bar 1 a whole-bar rest.
    EXPECT_EQ(restTexts(*r, glyphText(glyph::RestHalf)).size(), 2u);
    EXPECT_EQ(restTexts(*r, glyphText(glyph::Dot)).size(), 2u);
    EXPECT_EQ(restTexts(*r, kBarRest).size(), 1u);
    EXPECT_EQ(inElement(*r, DrawnItem::Type::Text, QStringLiteral("rest 1")).size(), 5u);
}

TEST(Rests, HiddenWithoutShowRestsOrWhenTheirStaveIsNotShown) {
    CScore s = drawingScore(3, {{2, 0, 96, 48}}, {0, 2});
    s.prefs.showrests = false;
    layOut(s);
    EXPECT_TRUE(record(s)->itemsOf(DrawnItem::Type::Text, QStringLiteral("rest")).empty());
    // Only the used lines: the left hand's notes keep the line far below the right
    // hand's rest height, so only the left hand's rests show.
    s.prefs.showrests = true;
    s.prefs.showonlyusedlines = true;
    layOut(s);
    const auto r = record(s);
    const auto rests = r->itemsOf(DrawnItem::Type::Text, QStringLiteral("rest"));
    ASSERT_FALSE(rests.empty());
    for (const DrawnItem& i : rests)
        EXPECT_GT(i.points[0].y(), yOf(s, 0, 60)) << qPrintable(i.text);
}

TEST(Rests, CroppedEndCutsTheRestAtTheLastNote) {
    CScore s = drawingScore(3, {{0, 0, 96, 72}, {2, 768, 192, 48}}, {0, 2});
    s.prefs.hiderestsatend = true;
    layOut(s);
    const auto r = record(s);
    // In the last bar part 0 rests throughout and part 2 plays until 960: part 0's
    // whole-bar rest is centred between the bar's usable start and the crop at 960;
    // part 2 shows nothing after its note.
    const CScoreBar& last = s.bar(2);
    const int32_t start = tickToX(last, last.startTick, kUnit, true, false);
    const int32_t crop = tickToX(last, 960, kUnit);
    std::vector<DrawnItem> inLast;
    for (const DrawnItem& i : r->itemsOf(DrawnItem::Type::Text, QStringLiteral("rest")))
        if (i.points[0].x() > last.left) inLast.push_back(i);
    ASSERT_EQ(inLast.size(), 1u);
    EXPECT_EQ(inLast[0].text, kBarRest);
    EXPECT_EQ(inLast[0].points[0].x(), start + (crop - start) / 2);
}

TEST(Rests, OtherPartsInMusicModeAreGrey) {
    CScore s = drawingScore(3, {}, {0, 2});
    layOut(s);
    CViewState view;
    view.mode = ViewMode::Music;
    view.currentPart = 0;
    view.lines = {s.line(0)};
    const auto rests = restTexts(*record(s, view), kBarRest);
    ASSERT_EQ(rests.size(), 6u);
    EXPECT_EQ(rests[0].colour, QColor(Qt::black));
    EXPECT_EQ(rests[3].colour, QColor(128, 128, 128));
}
