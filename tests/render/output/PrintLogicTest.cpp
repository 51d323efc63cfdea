// The logic of printing and page setup without dialogs: margins against the printable
// area, the printed page range, what is taken from the stored printer (only the fields
// its record marks) and what is stored back, with the margin rounding of the dialog.
#include <gtest/gtest.h>

#include "render/layout/PrinterRecord.h"
#include "render/output/PrintMargins.h"
#include "render/output/PrinterChoice.h"

using namespace ks;

namespace {

PageGeometry letter(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return PageGeometry{.width = 8500,
                        .height = 11000,
                        .marginLeft = left,
                        .marginTop = top,
                        .marginRight = right,
                        .marginBottom = bottom};
}

}  // namespace

TEST(PrintMargins, MarginsInsideTheUnprintableStripsAreRaised) {
    struct Case {
        PageGeometry page;
        UnprintableStrips strips;
        PageGeometry expected;
        bool raised;
    };
    const Case cases[] = {
        // Inside the printable area: unchanged.
        {letter(500, 500, 500, 500), {250, 250, 250, 250}, letter(500, 500, 500, 500), false},
        {letter(250, 250, 250, 250), {250, 250, 250, 250}, letter(250, 250, 250, 250), false},
        // One margin too small: only that one grows; the others keep their size.
        {letter(100, 800, 1000, 600), {250, 170, 250, 170}, letter(250, 800, 1000, 600), true},
        {letter(500, 500, 0, 0), {167, 167, 167, 400}, letter(500, 500, 167, 400), true},
        // A PDF printer prints everywhere: margins of 0 stay 0.
        {letter(0, 0, 0, 0), {0, 0, 0, 0}, letter(0, 0, 0, 0), false},
    };
    for (const Case& c : cases) {
        const MarginCorrection result = correctForPrintableArea(c.page, c.strips);
        EXPECT_EQ(result.page, c.expected);
        EXPECT_EQ(result.raised, c.raised);
    }
}

TEST(PrintMargins, PrintedPagesStayInTheLayoutsRange) {
    const std::tuple<int, int, int> cases[] = {
        {1, 3, 0}, {3, 3, 2}, {4, 3, 2}, {9999, 3, 2}, {0, 3, 0}, {-5, 3, 0}, {1, 0, 0}, {2, 1, 0},
    };
    for (const auto& [printed, count, index] : cases)
        EXPECT_EQ(printedPageIndex(printed, count), index) << printed << " of " << count;
}

TEST(PrinterChoice, OnlyTheFieldsTheRecordMarksAreTaken) {
    DevModeRecord record;  // A4 portrait, both fields marked
    record.setOrientation(Orientation::Landscape);
    record.setPaperSize(PaperCode::Letter);
    CPrinterSettings settings;
    settings.devmode = record.bytes();
    settings.devnames = makeDevNames({.driver = "winspool", .device = "Office", .output = "LPT1:"});

    StoredPrinterChoice choice = storedPrinterChoice(settings, {QStringLiteral("Office")});
    EXPECT_TRUE(choice.storedPrinterUsed);
    EXPECT_EQ(choice.printer, QStringLiteral("Office"));
    EXPECT_EQ(choice.orientation, QPageLayout::Landscape);
    ASSERT_TRUE(choice.paper);
    EXPECT_EQ(choice.paper->id(), QPageSize::Letter);
    const QPageLayout applied = withStoredPaper(QPageLayout(), choice);
    EXPECT_EQ(applied.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(applied.pageSize().id(), QPageSize::Letter);

    // The stored printer is not installed: the default printer is used.
    choice = storedPrinterChoice(settings, {QStringLiteral("Other")});
    EXPECT_FALSE(choice.storedPrinterUsed);
    EXPECT_TRUE(choice.printer.isEmpty());

    // A record that marks neither field changes nothing.
    QByteArray bytes = record.bytes();
    bytes[40] = bytes[41] = bytes[42] = bytes[43] = 0;  // field flags
    settings.devmode = bytes;
    choice = storedPrinterChoice(settings, {});
    EXPECT_FALSE(choice.orientation);
    EXPECT_FALSE(choice.paper);
    const QPageLayout original(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF());
    EXPECT_EQ(withStoredPaper(original, choice), original);

    // A user-defined paper comes from the record's width and length.
    DevModeRecord custom;
    custom.setPaperSize(256);
    custom.setPaperWidth(2000);
    custom.setPaperLength(3000);
    settings.devmode = custom.bytes();
    choice = storedPrinterChoice(settings, {});
    ASSERT_TRUE(choice.paper);
    EXPECT_NEAR(choice.paper->size(QPageSize::Millimeter).width(), 200.0, 0.05);
    EXPECT_NEAR(choice.paper->size(QPageSize::Millimeter).height(), 300.0, 0.05);
}

TEST(PrinterChoice, PageSetupStoresPaperPrinterAndRoundedMargins) {
    CPrinterSettings settings;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                             QMarginsF(12.7, 20.0, 5.0, 0.0), QPageLayout::Millimeter);
    storePrinterSettings(settings, QStringLiteral("Office"), layout, true);
    const DevModeRecord record(settings.devmode);
    ASSERT_TRUE(record.wasStored());
    EXPECT_EQ(record.deviceName(), QStringLiteral("Office"));
    EXPECT_EQ(record.orientation(), Orientation::Landscape);
    EXPECT_EQ(record.paperSize(), PaperCode::A4);
    EXPECT_EQ(record.paperWidth(), 2100);
    EXPECT_EQ(record.paperLength(), 2970);
    EXPECT_EQ(readDevNames(settings.devnames)->device, QStringLiteral("Office"));
    // Hundredths of a millimetre x 100 / 254, rounded: 1270 -> 500, 2000 -> 787, 500 -> 197.
    EXPECT_TRUE(settings.hasMargins);
    EXPECT_EQ(settings.left, 500);
    EXPECT_EQ(settings.top, 787);
    EXPECT_EQ(settings.right, 197);
    EXPECT_EQ(settings.bottom, 0);
    // The page the layout reads back: landscape A4.
    const PageGeometry page = pageGeometryFor(settings);
    EXPECT_EQ(page.width, 11693);
    EXPECT_EQ(page.height, 8268);

    // ... and what the dialog shows for it: 500 thousandths -> 1270 hundredths of a mm.
    const QMarginsF shown = pageSetupMargins(page);
    EXPECT_DOUBLE_EQ(shown.left(), 12.7);
    EXPECT_DOUBLE_EQ(shown.top(), 19.99);  // 787 x 254 / 100 = 1998.98 -> 1999
    const QPageLayout again = pageSetupLayout(settings, page);
    EXPECT_EQ(again.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(again.pageSize().id(), QPageSize::A4);

    // A paper without a code of its own is stored as a user size with its dimensions;
    // print-dialog choices keep the stored margins.
    CPrinterSettings other = settings;
    storePrinterSettings(other, QStringLiteral("Plotter"),
                         QPageLayout(QPageSize(QSizeF(300, 450), QPageSize::Millimeter),
                                     QPageLayout::Portrait, QMarginsF()),
                         false);
    const DevModeRecord user(other.devmode);
    EXPECT_EQ(user.paperSize(), 256);
    EXPECT_EQ(user.paperWidth(), 3000);
    EXPECT_EQ(user.paperLength(), 4500);
    EXPECT_EQ(other.left, 500);
    EXPECT_EQ(pageGeometryFor(other).width, 11811);
    EXPECT_EQ(readDevNames(other.devnames)->device, QStringLiteral("Plotter"));
}
