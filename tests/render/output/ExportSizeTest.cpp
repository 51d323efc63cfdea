// Page and pixel sizes of the exports, the resolution choices and the limits that keep
// a page size read from a document from asking for an unbounded bitmap.
#include <gtest/gtest.h>

#include "model/TextTable.h"
#include "render/layout/PrinterRecord.h"
#include "render/output/ExportResolution.h"
#include "render/output/ExportTextIds.h"

using namespace ks;

namespace {

PageGeometry pageOf(int16_t paper, int16_t orientation) {
    DevModeRecord record;
    record.setPaperSize(paper);
    record.setOrientation(orientation);
    CPrinterSettings settings;
    settings.devmode = record.bytes();
    return pageGeometryFor(settings);
}

}  // namespace

TEST(ExportSize, PaperSizesAndTheirPixelsAtEachResolution) {
    struct Case {
        int16_t paper;
        int16_t orientation;
        int dpi;
        QSize pageThou;
        QSize pixels;
    };
    const Case cases[] = {
        // Landscape A4: 2970 x 1000 / 254 by 2100 x 1000 / 254, rounded.
        {PaperCode::A4, Orientation::Landscape, 96, {11693, 8268}, {1169, 826}},
        // Letter at 300 dpi for a 96 pixels-per-inch screen.
        {PaperCode::Letter, Orientation::Portrait, 300, {8500, 11000}, {2656, 3437}},
        {PaperCode::Letter, Orientation::Portrait, 150, {8500, 11000}, {1328, 1718}},
        {PaperCode::A4, Orientation::Portrait, 300, {8268, 11693}, {2583, 3654}},
        {PaperCode::Ledger, Orientation::Portrait, 300, {17000, 11000}, {5312, 3437}},
    };
    for (const Case& c : cases) {
        const PageGeometry page = pageOf(c.paper, c.orientation);
        EXPECT_EQ(QSize(page.width, page.height), c.pageThou) << c.paper << " " << c.dpi;
        EXPECT_EQ(exportPixelSize(page, c.dpi), c.pixels) << c.paper << " " << c.dpi;
        EXPECT_TRUE(exportSizeAllowed(c.pixels));
    }
    EXPECT_DOUBLE_EQ(exportPixelsPerUnit(300), 300.0 / 960.0);
    EXPECT_EQ(exportPixelsPerMetre(96), 3780);
    EXPECT_EQ(exportPixelsPerMetre(300), 11811);
}

TEST(ExportSize, PagesBeyondTheLimitsAreRefused) {
    // The largest paper a document can name: 3276.7 mm a side.
    DevModeRecord record;
    record.setPaperSize(256);
    record.setPaperWidth(32767);
    record.setPaperLength(32767);
    CPrinterSettings settings;
    settings.devmode = record.bytes();
    const PageGeometry huge = pageGeometryFor(settings);
    EXPECT_FALSE(exportSizeAllowed(exportPixelSize(huge, 96)));
    EXPECT_FALSE(exportSizeAllowed(exportPixelSize(huge, 300)));

    EXPECT_TRUE(exportSizeAllowed({kMaxExportSide, 4000}));
    EXPECT_FALSE(exportSizeAllowed({kMaxExportSide + 1, 10}));
    EXPECT_FALSE(exportSizeAllowed({10, kMaxExportSide + 1}));
    EXPECT_FALSE(exportSizeAllowed({10000, 10000}));  // 100 million pixels
    EXPECT_FALSE(exportSizeAllowed({0, 100}));
    EXPECT_EQ(exportPixelSize(PageGeometry{.width = -5, .height = 100}, 300), QSize());
    EXPECT_EQ(exportPixelSize(pageOf(PaperCode::A4, Orientation::Portrait), 0), QSize());
}

TEST(ExportSize, ResolutionChoicesFromTheDialogList) {
    const auto choices = resolutionChoices(text(OutputTextId::ResolutionChoices));
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].dpi, 96);
    EXPECT_EQ(choices[0].label, QStringLiteral("96 (Screen)"));
    EXPECT_EQ(choices[1].dpi, 150);
    EXPECT_EQ(choices[2].dpi, 300);
    EXPECT_EQ(choices[2].label, QStringLiteral("300 (Print)"));
    EXPECT_EQ(defaultResolutionIndex(choices), 2);

    // A translated list keeps working as long as each entry starts with its number.
    const auto other = resolutionChoices(QStringLiteral("Bildschirm;72 (Web);600 (Druck);"));
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[0].dpi, 72);
    EXPECT_EQ(defaultResolutionIndex(other), 1);
    EXPECT_TRUE(resolutionChoices(QString()).empty());
}
