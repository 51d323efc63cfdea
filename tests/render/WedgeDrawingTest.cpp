// Crescendo and diminuendo wedges: two strokes within a line, pieces across lines, and
// a wedge of no length.
#include <gtest/gtest.h>

#include "MarksTestUtil.h"
#include "render/draw/Drawing.h"
#include "render/draw/EventDrawing.h"
#include "render/draw/Wedges.h"

using namespace ks;
using namespace ks::test;

namespace {

CScore wedgeScore(int32_t type, int32_t time, int32_t length, int bars = 6) {
    CScore s = marksScore(bars);
    s.tracks[0].addEvent(event(type, time, 76, {}, {length}));
    return s;
}

std::vector<DrawnItem> strokes(const MarksFixture& f) {
    return f.inElement(QStringLiteral("event 0"));
}

}  // namespace

TEST(WedgeDrawing, CrescendoOpensFromAPointToTheFullHeight) {
    MarksFixture f(wedgeScore(EventType::Crescendo, 96, 192));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const int x0 = tickX(ctx, 0, 96), x1 = tickX(ctx, 0, 288);
    const int top = pitchToY(f.score.line(0), 10, 76);
    const int middle = top + 25 + 2;  // the box middle, lowered by round(u / 6)
    const auto drawn = strokes(f);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].type, DrawnItem::Type::Polyline);
    EXPECT_EQ(drawn[0].points, QVector<QPoint>({{x1, top}, {x0, middle}, {x1, top + 50}}));
    EXPECT_EQ(drawn[0].pen.width, 4);  // round(u / 2.5)
    EXPECT_EQ(drawn[0].pen.colour, QColor(Qt::black));
    ASSERT_EQ(ctx.hitRects.size(), 1u);
    EXPECT_EQ(ctx.hitRects[0].rect, QRect(QPoint(x0, top), QPoint(x1, top + 50)));
    EXPECT_EQ(ctx.hitRects[0].track, 0);
}

TEST(WedgeDrawing, DiminuendoIsMirroredAndASelectedWedgeIsRed) {
    MarksFixture f(wedgeScore(EventType::Diminuendo, 0, 384));
    f.view.selectedEvents = {{0, 0}};
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    // Ending on the bar line: the end lies at the bar's right edge.
    const int x0 = tickX(ctx, 0, 0), x1 = f.score.bar(0).right;
    const int top = pitchToY(f.score.line(0), 10, 76);
    const auto drawn = strokes(f);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].points, QVector<QPoint>({{x0, top}, {x1, top + 27}, {x0, top + 50}}));
    EXPECT_EQ(drawn[0].pen.colour, QColor(255, 0, 0));
}

TEST(WedgeDrawing, AWedgeOfNoLengthDrawsNothingBeyondItsPoint) {
    for (int32_t length : {0, -50}) {
        MarksFixture f(wedgeScore(EventType::Crescendo, 96, length));
        CDrawContext ctx = f.context();
        DrawEvents(ctx, 0);
        const QPoint point(tickX(ctx, 0, 96), pitchToY(f.score.line(0), 10, 76) + 27);
        const auto drawn = strokes(f);
        ASSERT_EQ(drawn.size(), 1u) << length;
        EXPECT_EQ(drawn[0].points, QVector<QPoint>({point, point})) << length;
        // Still there to be picked and stretched.
        ASSERT_EQ(ctx.hitRects.size(), 1u);
        EXPECT_TRUE(ctx.hitRects[0].rect.contains(point.x(), point.y() - 5));
    }
}

TEST(WedgeDrawing, AWedgeAcrossLinesIsDrawnInPiecesOnePerLine) {
    // Three bars per line: from beat 3 of bar 2 to beat 3 of bar 3.
    MarksFixture f(wedgeScore(EventType::Crescendo, 2 * 384 + 192, 384));
    CDrawContext ctx = f.context();
    const auto slices = crescendoSlices(ctx, f.score.track(0).events.at(0));
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices[0], (CrescendoSlice{.bar = 2,
                                         .startOffset = 192,
                                         .endOffset = 384,
                                         .line = 0,
                                         .page = 0,
                                         .holdsStart = true}));
    EXPECT_EQ(
        slices[1],
        (CrescendoSlice{
            .bar = 3, .startOffset = 0, .endOffset = 192, .line = 1, .page = 0, .holdsEnd = true}));
    DrawEvents(ctx, 0);
    DrawEvents(ctx, 1);
    const auto drawn = strokes(f);
    ASSERT_EQ(drawn.size(), 3u);
    // The wedge opens evenly along both pieces: the first closes to a point at the real
    // start and reaches the line's end part-way open; the second goes on from that
    // opening at the wedge's height on its line and opens to the full height.
    const CScoreLine& l0 = f.score.line(0);
    const int top0 = pitchToY(l0, 10, 76);
    const int start0 = tickX(ctx, 2, 960), end0 = l0.right - 10;
    const CScoreLine& l1 = f.score.line(1);
    const int top1 = pitchToY(l1, 10, 76);
    const int start = tickX(ctx, 3, 3 * 384), end = tickX(ctx, 3, 3 * 384 + 192);
    const double reached = double(end0 - start0) / ((end0 - start0) + (end - start));
    ASSERT_EQ(drawn[0].type, DrawnItem::Type::Polyline);
    ASSERT_EQ(drawn[0].points.size(), 3);
    EXPECT_EQ(drawn[0].points[1], QPoint(start0, top0 + 27));
    EXPECT_EQ(drawn[0].points[0].x(), end0);
    EXPECT_NEAR(drawn[0].points[0].y(), top0 + 27 - 27 * reached, 1);
    EXPECT_NEAR(drawn[0].points[2].y(), top0 + 27 + 23 * reached, 1);
    EXPECT_GT(drawn[0].points[0].y(), top0 + 2);  // not at full height
    EXPECT_EQ(drawn[1].points[0], QPoint(end, top1));
    EXPECT_EQ(drawn[2].points[1], QPoint(end, top1 + 50));
    EXPECT_EQ(drawn[1].points[1].x(), start);
    EXPECT_EQ(drawn[2].points[0].x(), start);
    EXPECT_NEAR(top1 + 27 - drawn[1].points[1].y(), top0 + 27 - drawn[0].points[0].y(), 1);
    EXPECT_NEAR(drawn[2].points[0].y() - (top1 + 27), drawn[0].points[2].y() - (top0 + 27), 1);
    EXPECT_EQ(ctx.hitRects.size(), 2u);

    // A diminuendo across the same lines closes only in the piece holding its end.
    MarksFixture dim(wedgeScore(EventType::Diminuendo, 2 * 384 + 192, 384));
    CDrawContext dctx = dim.context();
    DrawEvents(dctx, 0);
    DrawEvents(dctx, 1);
    const auto dimDrawn = strokes(dim);
    ASSERT_EQ(dimDrawn.size(), 3u);
    EXPECT_EQ(dimDrawn[0].type, DrawnItem::Type::Line);
    EXPECT_EQ(dimDrawn[2].type, DrawnItem::Type::Polyline);
    // Its first piece opens fully at the real start; the last goes on from where the
    // first ended.
    EXPECT_EQ(dimDrawn[0].points[0], QPoint(start0, top0));
    EXPECT_NEAR(top1 + 27 - dimDrawn[2].points[0].y(), top0 + 27 - dimDrawn[0].points[1].y(), 1);
}

TEST(WedgeDrawing, PiecesFollowTheModeAndStayInsideTheScore) {
    // Music mode draws the whole wedge on its single line.
    MarksFixture music(wedgeScore(EventType::Crescendo, 2 * 384 + 192, 384));
    music.view.mode = ViewMode::Music;
    music.view.lines = {music.score.line(0)};
    music.view.lines[0].barsInLine = 6;
    CDrawContext mctx = music.context();
    EXPECT_EQ(crescendoSlices(mctx, music.score.track(0).events.at(0)).size(), 1u);

    // A length far past the end stops at the last bar; pieces on other pages are left
    // out.
    CScore s = wedgeScore(EventType::Crescendo, 0, 0x7fffffff, 30);
    s.unit = 40;
    MarksFixture f(std::move(s));
    ASSERT_GT(f.score.pages.size(), 1u);
    CDrawContext ctx = f.context();
    const auto slices = crescendoSlices(ctx, f.score.track(0).events.at(0));
    ASSERT_EQ(slices.size(), f.score.lines.size());
    EXPECT_TRUE(slices.back().holdsEnd);
    EXPECT_EQ(slices.back().endOffset, f.score.bar(29).lengthTicks + f.score.bar(29).startTick -
                                           f.score.bar(slices.back().bar).startTick);
    for (int l = 0; l < static_cast<int>(f.score.lines.size()); ++l)
        DrawEvents(ctx, l);
    const int onFirstPage = f.score.pages[0].lineCount;
    EXPECT_EQ(static_cast<int>(ctx.hitRects.size()), onFirstPage);
}
