// The alignment view: white paper, four margin bands, the left and top bands moved by
// the offsets (10 thousandths of an inch a step), offsets kept within 0..100.
#include <gtest/gtest.h>

#include "render/output/PrinterAlignment.h"
#include "render/surface/RecordingSurface.h"

using namespace ks;

TEST(PrinterAlignment, BandsMoveWithTheOffsets) {
    const PageGeometry page{.width = 8500,
                            .height = 11000,
                            .marginLeft = 500,
                            .marginTop = 600,
                            .marginRight = 700,
                            .marginBottom = 800};
    const QColor band(200, 220, 240);
    RecordingSurface surface(CSurface::Kind::Printer);
    drawAlignmentPage(surface, page, band, PrinterAlignment{.horizontal = 7, .vertical = 100});
    const auto fills = surface.itemsOf(DrawnItem::Type::FillRect);
    ASSERT_EQ(fills.size(), 5u);
    EXPECT_EQ(fills[0].rect, QRect(0, 0, 8500, 11000));
    EXPECT_EQ(fills[0].colour, QColor(Qt::white));
    EXPECT_EQ(fills[1].rect, QRect(70, 0, 500, 11000));
    EXPECT_EQ(fills[2].rect, QRect(0, 1000, 8500, 600));
    EXPECT_EQ(fills[3].rect, QRect(7800, 0, 700, 11000));
    EXPECT_EQ(fills[4].rect, QRect(0, 10200, 8500, 800));
    for (size_t i = 1; i < fills.size(); ++i)
        EXPECT_EQ(fills[i].colour, band);

    // Offsets beyond the scroll range draw as its ends.
    surface.clear();
    drawAlignmentPage(surface, page, band, PrinterAlignment{.horizontal = -40, .vertical = 500});
    EXPECT_EQ(surface.itemsOf(DrawnItem::Type::FillRect)[1].rect.left(), 0);
    EXPECT_EQ(surface.itemsOf(DrawnItem::Type::FillRect)[2].rect.top(), 1000);
}

TEST(PrinterAlignment, ScrollRangeAndBandColour) {
    EXPECT_EQ(PrinterAlignment::clamp(-1), 0);
    EXPECT_EQ(PrinterAlignment::clamp(55), 55);
    EXPECT_EQ(PrinterAlignment::clamp(101), 100);
    // White bands would not show on the white page.
    EXPECT_EQ(alignmentBandColour(Qt::white), QColor(192, 192, 192));
    EXPECT_EQ(alignmentBandColour(QColor(255, 255, 200)), QColor(255, 255, 200));
}
