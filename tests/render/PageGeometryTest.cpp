// Page size from the printer record, and the page of a document with or without
// printer settings.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "render/layout/PageGeometry.h"
#include "storage/ScoreReader.h"
#include "storage/ScoreWriter.h"

using namespace ks;

namespace {

DevModeRecord record(int16_t paper, int16_t orientation = Orientation::Portrait) {
    DevModeRecord r;
    r.setPaperSize(paper);
    r.setOrientation(orientation);
    return r;
}

}  // namespace

TEST(PageSize, PaperTable) {
    struct Case {
        int16_t code;
        int16_t orientation;
        PageSize expected;
    };
    const Case cases[] = {
        {PaperCode::Letter, Orientation::Portrait, {8500, 11000}},
        {PaperCode::LetterSmall, Orientation::Portrait, {8500, 11000}},
        {PaperCode::Ledger, Orientation::Portrait, {17000, 11000}},
        {PaperCode::Legal, Orientation::Portrait, {8500, 14000}},
        {PaperCode::A3, Orientation::Portrait, {11693, 16535}},  // 2970, 4200 tenths of a mm
        {PaperCode::A4, Orientation::Portrait, {8268, 11693}},   // 2100 x 1000 / 254 = 8267.7
        {PaperCode::A4, Orientation::Landscape, {11693, 8268}},
        {PaperCode::A5, Orientation::Portrait, {5827, 8268}},
        {PaperCode::B4, Orientation::Portrait, {9843, 13937}},
        {PaperCode::B5, Orientation::Landscape, {10118, 7165}},  // 1820 x 2570, swapped
        {PaperCode::Letter, Orientation::Landscape, {11000, 8500}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pageSizeFor(record(c.code, c.orientation), {1, 2}), c.expected) << c.code;
}

TEST(PageSize, OtherCodesUseTheRecordsOwnSize) {
    DevModeRecord r = record(256);
    r.setPaperWidth(1000);   // 100 mm
    r.setPaperLength(1500);  // 150 mm
    EXPECT_EQ(pageSizeFor(r, {1, 2}), (PageSize{3937, 5906}));
    // Without a usable own size the current page stays.
    EXPECT_EQ(pageSizeFor(record(256), {1, 2}), (PageSize{1, 2}));
    r.setPaperWidth(-5);
    EXPECT_EQ(pageSizeFor(r, {1, 2}), (PageSize{1, 2}));
}

TEST(PageSize, A4SmallKeepsTheCurrentSizeEvenInLandscape) {
    EXPECT_EQ(pageSizeFor(record(PaperCode::A4Small, Orientation::Landscape), {100, 200}),
              (PageSize{100, 200}));
}

TEST(PageGeometry, WithoutPrinterSettingsA4AndHalfInchMargins) {
    const PageGeometry g = pageGeometryFor(CPrinterSettings{});
    EXPECT_EQ(g, (PageGeometry{.width = 8268, .height = 11693}));
    EXPECT_EQ(g.left(), 500);
    EXPECT_EQ(g.top(), 500);
    EXPECT_EQ(g.right(), 8268 - 500 - 1);
    EXPECT_EQ(g.bottom(), 11693 - 500 - 1);
}

TEST(PageGeometry, DocumentSettingsWinOverDefaultsFieldByField) {
    CPrinterSettings defaults;
    defaults.devmode = record(PaperCode::Letter).bytes();
    defaults.hasMargins = true;
    defaults.left = defaults.top = defaults.right = defaults.bottom = 250;

    // No document settings: the defaults.
    EXPECT_EQ(pageGeometryFor(CPrinterSettings{}, &defaults),
              (PageGeometry{8500, 11000, 250, 250, 250, 250}));
    // A document with its own paper but no margins keeps the default margins.
    CPrinterSettings doc;
    doc.devmode = record(PaperCode::A4, Orientation::Landscape).bytes();
    EXPECT_EQ(pageGeometryFor(doc, &defaults), (PageGeometry{11693, 8268, 250, 250, 250, 250}));
    // A document with margins, negative ones counting as 0.
    doc.hasMargins = true;
    doc.left = -40;
    doc.top = 100;
    doc.right = 200;
    doc.bottom = 300;
    EXPECT_EQ(pageGeometryFor(doc, &defaults), (PageGeometry{11693, 8268, 0, 100, 200, 300}));
    // A corrupt document record falls back to the defaults' paper.
    doc.devmode = QByteArray(12, '\x7f');
    EXPECT_EQ(pageGeometryFor(doc, &defaults).width, 8500);
}

TEST(PageGeometry, MarginConversionsForThePageSetupDialog) {
    EXPECT_EQ(thouToHundredthsMm(500), 1270);
    EXPECT_EQ(hundredthsMmToThou(1270), 500);
    EXPECT_EQ(hundredthsMmToThou(2000), 787);  // 787.4
    EXPECT_EQ(thouToHundredthsMm(-3), -8);     // -7.62, half away from zero
}

TEST(PageGeometry, StoredPageSetupSurvivesSaveAndLoad) {
    // A record as another program left it: a device name and a driver-private byte
    // that must come back unchanged, A3 landscape.
    DevModeRecord stored = record(PaperCode::A3, Orientation::Landscape);
    QByteArray bytes = stored.bytes();
    bytes.replace(0, 7, "Plotter");
    bytes[120] = '\x5a';
    CPrinterSettings printer;
    printer.devmode = bytes;
    printer.hasMargins = true;
    printer.left = printer.right = 300;
    printer.top = printer.bottom = 400;

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("setup.ksv"));
    CScore score;
    score.makeNewDocument();
    ASSERT_TRUE(writeScoreFile(path, score, printer));
    CScore read;
    CPrinterSettings readPrinter;
    ASSERT_TRUE(readScoreFile(path, read, &readPrinter).ok);
    EXPECT_EQ(readPrinter.devmode, bytes);
    EXPECT_EQ(DevModeRecord(readPrinter.devmode).deviceName(), QStringLiteral("Plotter"));
    EXPECT_EQ(pageGeometryFor(readPrinter), (PageGeometry{16535, 11693, 300, 400, 300, 400}));
}
