// Pages for a printer: a copy of the score laid out for the printer's page, titles
// stretched to its margins, the document's own layout untouched, and every printed page
// drawn (with page numbers beyond the layout kept to its last page).
#include <gtest/gtest.h>

#include <QImage>

#include "OutputTestUtil.h"
#include "render/output/PageImage.h"
#include "render/output/PrintedPage.h"

using namespace ks;
using namespace ks::test;

namespace {

int inkIn(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 160;
    return ink;
}

QImage printed(const PrintedPages& pages, int printedPage) {
    constexpr double kScale = 0.04;  // 40 pixels per inch
    QImage image(qRound(pages.page().width * kScale), qRound(pages.page().height * kScale),
                 QImage::Format_RGB32);
    image.fill(Qt::red);  // the paper fill must cover it
    QPainter painter(&image);
    pages.draw(painter, printedPage, kScale);
    painter.end();
    return image;
}

}  // namespace

TEST(PrintedPages, PrinterLayoutIsACopyWithTheCorrectedMargins) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    layoutForExport(score, page);
    const std::vector<CScoreLine> screenLines = score.lines;
    const CTextBox screenTitle = score.titleBox;

    PageGeometry printer = page;
    printer.marginLeft += 700;
    const PrintedPages pages(score, printer);
    EXPECT_EQ(score.lines, screenLines);
    EXPECT_EQ(score.titleBox, screenTitle);

    ASSERT_FALSE(pages.score().lines.empty());
    EXPECT_EQ(pages.score().lines.front().left - screenLines.front().left, 700);
    EXPECT_EQ(pages.score().titleBox.left, printer.left());
    EXPECT_EQ(pages.score().titleBox.right, printer.right());
    EXPECT_EQ(pages.score().subtitleBox.left, printer.left());
    EXPECT_EQ(pages.pageCount(), static_cast<int>(pages.score().pages.size()));
}

TEST(PrintedPages, EveryPageIsDrawnOnThePaper) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    const PrintedPages pages(score, page);
    ASSERT_EQ(pages.pageCount(), 3);
    QImage previous;
    for (int p = 1; p <= 3; ++p) {
        const QImage image = printed(pages, p);
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "page " << p;
        EXPECT_GT(inkIn(image), 200) << "page " << p;
        EXPECT_NE(image, previous) << "page " << p;
        previous = image;
    }
    // A page number past the end prints the last page.
    EXPECT_EQ(printed(pages, 7), previous);
}
