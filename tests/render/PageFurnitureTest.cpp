// Page furniture: titles and artist on the first page, footers on later ones, text
// boxes, and the margin lines and grid that only the screen shows.
#include <gtest/gtest.h>

#include "MarksTestUtil.h"
#include "render/draw/Drawing.h"
#include "render/draw/PageFurniture.h"
#include "render/draw/TextFonts.h"

using namespace ks;
using namespace ks::test;

namespace {

// Three pages: 11 bars at one bar per line and a large unit fill three A4 pages.
CScore threePageScore() {
    CScore s = marksScore(11);
    s.prefs.barsperline = 1;
    s.unit = 40;
    s.title = QStringLiteral("Minuet");
    s.subtitle = QStringLiteral("in G");
    s.artist = QStringLiteral("Anon.");
    s.copyright = QStringLiteral("Public domain");
    CDisplaySettings& p = s.prefs;
    p.showtitle = p.showsubtitle = p.showartist = p.showcopyright = p.showpagenumbers = true;
    return s;
}

}  // namespace

TEST(PageFurniture, FirstPageCarriesTitlesCopyrightAndArtistButNoPageNumber) {
    MarksFixture f(threePageScore());
    ASSERT_EQ(f.score.pages.size(), 3u);
    f.view.page = 0;
    CDrawContext ctx = f.context();
    drawPageFurniture(ctx);

    ASSERT_EQ(f.texts(QStringLiteral("Minuet")).size(), 1u);
    ASSERT_EQ(f.texts(QStringLiteral("in G")).size(), 1u);
    ASSERT_EQ(f.texts(QStringLiteral("© Public domain")).size(), 1u);
    ASSERT_EQ(f.texts(QStringLiteral("Anon.")).size(), 1u);
    for (const DrawnItem& i : f.surface.itemsOf(DrawnItem::Type::Text))
        EXPECT_FALSE(i.text.startsWith(QStringLiteral("Page"))) << i.text.toStdString();

    // The title is centred between the margins at the top margin; the subtitle follows.
    const DrawnItem title = f.texts(QStringLiteral("Minuet"))[0];
    EXPECT_EQ(title.points[0], QPoint((500 + 7767) / 2, 500));
    EXPECT_EQ(title.align, TextAlign::Centre | TextAlign::Top);
    EXPECT_EQ(title.font.height, -8 * 18);
    const DrawnItem subtitle = f.texts(QStringLiteral("in G"))[0];
    EXPECT_EQ(subtitle.font.height, -300);
    EXPECT_GE(subtitle.points[0].y(), title.rect.bottom());

    // Copyright: centred, round(6u) plus the small font's ascent above the bottom.
    const DrawnItem copyright = f.texts(QStringLiteral("© Public domain"))[0];
    const int ascent = qRound(f.surface.measure(ctx.smallText, {}).ascent);
    EXPECT_EQ(copyright.points[0], QPoint((500 + 7767) / 2, 11192 - 240 - ascent));
    // Artist: right-aligned at the right margin, 10 units (textoffset1) above the title
    // box's bottom.
    const DrawnItem artist = f.texts(QStringLiteral("Anon."))[0];
    EXPECT_EQ(artist.align, TextAlign::Right | TextAlign::Top);
    EXPECT_EQ(artist.points[0].x(), 7767);
    EXPECT_EQ(artist.points[0].y(), drawnTitleBox(ctx).bottom - 400);
}

TEST(PageFurniture, LaterPagesCarryPageNumbersAndTheRunningTitle) {
    MarksFixture f(threePageScore());
    f.view.page = 1;
    CDrawContext ctx = f.context();
    drawPageFurniture(ctx);

    EXPECT_TRUE(f.texts(QStringLiteral("in G")).empty());
    EXPECT_TRUE(f.texts(QStringLiteral("Anon.")).empty());
    EXPECT_TRUE(f.texts(QStringLiteral("© Public domain")).empty());
    const auto number = f.texts(QStringLiteral("Page 2 of 3"));
    ASSERT_EQ(number.size(), 1u);
    const auto running = f.texts(QStringLiteral("Minuet"));
    ASSERT_EQ(running.size(), 1u);
    // Both on the footer line: the small font's height above the bottom margin.
    const int footer = 11192 - qRound(f.surface.cellHeight(ctx.smallText));
    EXPECT_EQ(number[0].points[0], QPoint(7767, footer));
    EXPECT_EQ(number[0].align, TextAlign::Right | TextAlign::Top);
    EXPECT_EQ(running[0].points[0], QPoint(500, footer));
    EXPECT_EQ(running[0].font, ctx.smallText);
    // The bottom text line ends at the bottom margin.
    EXPECT_NEAR(number[0].rect.bottom(), 11192, 2);

    // With the file name shown it takes the footer line and the title moves up.
    f.surface.clear();
    f.score.prefs.showfilename = true;
    f.view.fileName = QStringLiteral("minuet.ksv");
    CDrawContext named = f.context();
    drawPageFurniture(named);
    const int ascent = qRound(f.surface.measure(ctx.smallText, {}).ascent);
    EXPECT_EQ(f.texts(QStringLiteral("minuet.ksv"))[0].points[0], QPoint(500, footer));
    EXPECT_EQ(f.texts(QStringLiteral("Minuet"))[0].points[0], QPoint(500, footer - 40 - ascent));
    EXPECT_EQ(f.texts(QStringLiteral("Page 2 of 3"))[0].points[0], QPoint(7767, footer));
}

TEST(PageFurniture, SwitchedOffItemsAreNotDrawn) {
    CScore s = threePageScore();
    s.prefs.showtitle = s.prefs.showsubtitle = s.prefs.showartist = false;
    s.prefs.showpagenumbers = false;
    s.copyright.clear();  // shown, but empty
    MarksFixture f(std::move(s));
    for (int page : {0, 2}) {
        f.view.page = page;
        CDrawContext ctx = f.context();
        drawPageFurniture(ctx);
    }
    EXPECT_TRUE(f.surface.items().empty()) << f.surface.dump().join('\n').toStdString();
}

TEST(PageFurniture, TextBoxesSplitIntoCentredLines) {
    CTextBox box{.text = QStringLiteral("Sonata|for piano\nin C"),
                 .left = 1000,
                 .top = 700,
                 .right = 5000,
                 .bottom = 1500};
    EXPECT_EQ(textBoxLines(box), QStringList({"Sonata", "for piano", "in C"}));
    MarksFixture f(marksScore(1));
    CDrawContext ctx = f.context();
    const FontSpec font{.family = QStringLiteral("Times New Roman"), .height = -200};
    DrawTextBox(ctx, box, font);
    const auto lines = f.surface.itemsOf(DrawnItem::Type::Text);
    ASSERT_EQ(lines.size(), 3u);
    const double height = f.surface.cellHeight(font);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].points[0].x(), 3000);
        EXPECT_EQ(lines[i].points[0].y(), qRound(700 + i * height));
        EXPECT_EQ(lines[i].align, TextAlign::Centre | TextAlign::Top);
    }
}

TEST(PageFurniture, TitleBoxesFallBackToTheTitlesAndMarginsAndHonourTheirUserFont) {
    CScore s = threePageScore();
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    const CTextBox title = drawnTitleBox(ctx);
    EXPECT_EQ(textBoxLines(title), QStringList({"Minuet"}));
    EXPECT_EQ(title.left, 500);
    EXPECT_EQ(title.right, 7767);
    EXPECT_EQ(title.top, 500);
    EXPECT_EQ(title.bottom, 500 + 40 * 24);
    EXPECT_EQ(drawnSubtitleBox(ctx).top, title.bottom);
    // Under a placed title box the subtitle starts at the box's bottom.
    f.score.titleBox.top = 600;
    f.score.titleBox.bottom = 900;
    EXPECT_EQ(drawnSubtitleBox(f.context()).top, 900);

    // A box of its own keeps its text and rectangle; its user font is drawn as stored.
    f.score.titleBox = CTextBox{.text = QStringLiteral("Own"),
                                .font = 0,
                                .left = 900,
                                .top = 800,
                                .right = 2900,
                                .bottom = 1200};
    f.score.userfonts = {CUserFont{.name = QStringLiteral("DejaVu Serif"), .size = -250}};
    CDrawContext own = f.context();
    drawPageFurniture(own);
    const auto drawn = f.texts(QStringLiteral("Own"));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].points[0], QPoint(1900, 800));
    EXPECT_EQ(drawn[0].font.family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(drawn[0].font.height, -250);
    // A font index that names no font falls back to the default title font.
    f.score.titleBox.font = 7;
    EXPECT_EQ(titleFont(f.context()).family, QStringLiteral("Times New Roman"));
}

TEST(PageFurniture, MarginLinesAndGridAreDrawnOnScreenOnly) {
    for (CSurface::Kind kind :
         {CSurface::Kind::Screen, CSurface::Kind::Printer, CSurface::Kind::Export}) {
        MarksFixture f(marksScore(1), kind);
        f.view.mode = ViewMode::Layout;
        f.view.grid = true;
        CDrawContext ctx = f.context();
        drawScreenGuides(ctx);
        if (kind != CSurface::Kind::Screen) {
            EXPECT_TRUE(f.surface.items().empty());
            continue;
        }
        // Four dotted margin lines reaching 4 units past the corners.
        const auto margins = f.inElement(QStringLiteral("margin 0"));
        ASSERT_EQ(margins.size(), 4u);
        EXPECT_EQ(margins[0].points, QVector<QPoint>({{500, 460}, {500, 11232}}));
        for (const DrawnItem& m : margins)
            EXPECT_EQ(m.pen.style, PenStyle::Dotted);
        // Grid lines at whole inches inside the margins (1000..7000 across, 1000..11000
        // down) and a 10-unit border in the grid colour.
        const auto grid = f.inElement(QStringLiteral("grid 0"));
        ASSERT_EQ(grid.size(), 7u + 11u + 1u);
        EXPECT_EQ(grid[0].points, QVector<QPoint>({{1000, 500}, {1000, 11192}}));
        EXPECT_EQ(grid[7].points, QVector<QPoint>({{500, 1000}, {7767, 1000}}));
        EXPECT_EQ(grid.back().type, DrawnItem::Type::Polyline);
        EXPECT_EQ(grid.back().pen.width, 10);
        EXPECT_EQ(grid.back().pen.colour, QColor(128, 0, 0));
    }
    // Page mode shows the grid but not the margin lines.
    MarksFixture page(marksScore(1), CSurface::Kind::Screen);
    page.view.grid = true;
    CDrawContext ctx = page.context();
    drawScreenGuides(ctx);
    EXPECT_TRUE(page.inElement(QStringLiteral("margin 0")).empty());
    EXPECT_FALSE(page.inElement(QStringLiteral("grid 0")).empty());
}
