// The playback overlay: the red cursor line through the stave at a note's head, the end
// of the music, lines on other pages, the rings around sounding heads, and nothing on
// printed or exported pages.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/draw/EventPlacement.h"
#include "render/draw/PlaybackOverlay.h"

using namespace ks;
using namespace ks::test;

namespace {

class PlaybackOverlayDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        // Six bars, three to a line; crotchets in the right hand, a chord in bar 2.
        score = drawingScore(
            6,
            {{0, 0, 96, 60}, {0, 96, 96, 64}, {0, 384, 96, 60}, {0, 384, 96, 67}, {2, 0, 384, 48}},
            {0, 2});
        score.rebuildAllTracks();
        layOut(score);
    }
    std::unique_ptr<RecordingSurface> draw(const PlaybackOverlay& overlay,
                                           CSurface::Kind kind = CSurface::Kind::Screen,
                                           int page = 0) {
        auto surface = std::make_unique<RecordingSurface>(kind);
        CViewState view;
        view.page = page;
        CDrawContext ctx(*surface, score, view, a4Page());
        DrawPlaybackOverlay(ctx, overlay);
        return surface;
    }
    CScore score;
};

TEST_F(PlaybackOverlayDrawing, CursorLineRunsThroughTheStaveAtTheHeadsMiddle) {
    const auto surface = draw({.cursorTick = 96});
    const auto lines = inElement(*surface, DrawnItem::Type::Line, "playbackcursor 96");
    ASSERT_EQ(lines.size(), 1u);
    RecordingSurface probe(CSurface::Kind::Screen);
    CDrawContext ctx(probe, score, CViewState{}, a4Page());
    const int32_t x = tickX(ctx, 0, 96) + CDrawContext::round(ctx.W / 2);
    const CScoreLine& line = score.line(0);
    const DrawnItem& drawn = lines[0];
    EXPECT_EQ(drawn.pen.colour, QColor(255, 0, 0));
    EXPECT_EQ(drawn.points[0].x(), x);
    EXPECT_EQ(drawn.points[1].x(), x);
    EXPECT_EQ(drawn.points[0].y(), line.staveTop - ctx.units(2));
    EXPECT_EQ(drawn.points[1].y(), line.staveBottom + ctx.units(2));
    // The rectangle a view repaints holds the whole line and its pen.
    const std::vector<QRect> rects = playbackOverlayRects(ctx, {.cursorTick = 96});
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_TRUE(rects[0].contains(drawn.points[0]) && rects[0].contains(drawn.points[1]));
}

TEST_F(PlaybackOverlayDrawing, TheEndOfTheMusicIsAtTheEndOfTheLastBar) {
    RecordingSurface probe(CSurface::Kind::Screen);
    CDrawContext ctx(probe, score, CViewState{}, a4Page());
    const QRect end = playbackCursorRect(ctx, score.length);
    const QRect past = playbackCursorRect(ctx, score.length + 5000);
    ASSERT_FALSE(end.isEmpty());
    EXPECT_EQ(end, past);
    EXPECT_EQ(playbackCursorLine(ctx, score.length), score.bar(5).line);
    EXPECT_GT(end.left(), tickX(ctx, 5, score.barStart(5) + 300));
    // A new line starts at a bar start: the tick belongs to the line that begins there.
    EXPECT_EQ(playbackCursorLine(ctx, 3 * 384), score.bar(3).line);
    EXPECT_NE(score.bar(3).line, score.bar(2).line);
}

TEST_F(PlaybackOverlayDrawing, LinesOfOtherPagesAreNotDrawn) {
    ASSERT_EQ(score.line(0).page, 0);
    EXPECT_TRUE(draw({.cursorTick = 0}, CSurface::Kind::Screen, 1)->items().empty());
    EXPECT_FALSE(draw({.cursorTick = 0}, CSurface::Kind::Screen, 0)->items().empty());
}

TEST_F(PlaybackOverlayDrawing, SoundingHeadsGetRedRings) {
    const auto surface =
        draw({.heads = {{384, 0, 67}, {384, 0, 61}, {0, 1, 48}, {0, 2, 48}, {0, 9, 60}}});
    // Only the note that exists in a shown part: pitch 61 is not in the chord, track 1 is
    // in no part, track 9 does not exist.
    const auto rings = surface->itemsOf(DrawnItem::Type::Arc, "sounding");
    ASSERT_EQ(rings.size(), 2u);
    RecordingSurface probe(CSurface::Kind::Screen);
    CDrawContext ctx(probe, score, CViewState{}, a4Page());
    const int32_t y67 = yOf(score, score.bar(1).line, 67);
    const DrawnItem& ring = rings[0];
    EXPECT_EQ(ring.element, "sounding 67");
    EXPECT_EQ(ring.pen.colour, QColor(255, 0, 0));
    EXPECT_NEAR(ring.rect.center().y(), y67, 1);
    EXPECT_NEAR(ring.rect.center().x(), tickX(ctx, 1, 384) + ctx.W / 2, 2);
    EXPECT_EQ(rings[1].element, "sounding 48");
}

TEST_F(PlaybackOverlayDrawing, PrintedAndExportedPagesShowNoOverlay) {
    const PlaybackOverlay overlay{.cursorTick = 0, .heads = {{0, 0, 60}}};
    EXPECT_TRUE(draw(overlay, CSurface::Kind::Printer)->items().empty());
    EXPECT_TRUE(draw(overlay, CSurface::Kind::Export)->items().empty());
    EXPECT_EQ(draw(overlay)->items().size(), 2u);
}

}  // namespace
