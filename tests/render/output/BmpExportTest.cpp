// Bitmap export: the file header and bitmap block byte for byte, the file names, one
// file per page, and files that cannot be written skipped.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "OutputTestUtil.h"
#include "render/output/BmpExport.h"
#include "render/output/ExportResolution.h"

using namespace ks;
using namespace ks::test;

namespace {

uint32_t u32(const QByteArray& b, int at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t u16(const QByteArray& b, int at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(BmpExport, PageFileNames) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("piano.bmp"), QStringLiteral("piano%1.bmp")},
        {QStringLiteral("/music/Piano.BMP"), QStringLiteral("/music/Piano%1.bmp")},
        {QStringLiteral("piano"), QStringLiteral("piano%1.bmp")},
        {QStringLiteral("piano.png"), QStringLiteral("piano.png%1.bmp")},
        {QStringLiteral("/music/.bmp"), QStringLiteral("/music/.bmp%1.bmp")},
    };
    for (const auto& [chosen, pattern] : cases) {
        EXPECT_EQ(bmpPagePath(chosen, 1), pattern.arg(1)) << chosen.toStdString();
        EXPECT_EQ(bmpPagePath(chosen, 12), pattern.arg(12)) << chosen.toStdString();
    }
}

TEST(BmpExport, HeaderAndRowsOfATinyPage) {
    // 3 x 2 pixels: top row red, green, blue; bottom row white, black, grey.
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(0, 1, qRgb(255, 255, 255));
    image.setPixel(1, 1, qRgb(0, 0, 0));
    image.setPixel(2, 1, qRgb(128, 128, 128));
    QByteArray block;
    makeBitmapBlock(image, 300, block);
    const QByteArray header = bitmapFileHeader(block);

    // Rows of 9 bytes padded to 12; 40-byte header and one colour-table entry before them.
    ASSERT_EQ(block.size(), 40 + 4 + 2 * 12);
    ASSERT_EQ(header.size(), 14);
    EXPECT_EQ(header.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(header, 2), 14u + block.size());
    EXPECT_EQ(u32(header, 6), 0u);  // the two reserved words
    EXPECT_EQ(u32(header, 10), 14u + 40u + 4u);

    EXPECT_EQ(u32(block, 0), 40u);
    EXPECT_EQ(u32(block, 4), 3u);
    EXPECT_EQ(u32(block, 8), 2u);  // positive height: bottom row first
    EXPECT_EQ(u16(block, 12), 1);
    EXPECT_EQ(u16(block, 14), 24);
    EXPECT_EQ(u32(block, 16), 0u);
    EXPECT_EQ(u32(block, 20), 24u);
    EXPECT_EQ(u32(block, 24), 11811u);  // 300 x 10000 / 254 pixels per metre
    EXPECT_EQ(u32(block, 28), 11811u);
    EXPECT_EQ(u32(block, 32), 0u);
    EXPECT_EQ(u32(block, 40), 0u);  // the colour-table entry

    const QByteArray bottom = block.mid(44, 12);
    const QByteArray top = block.mid(56, 12);
    EXPECT_EQ(bottom, QByteArray::fromHex("ffffff000000808080000000"));
    EXPECT_EQ(top, QByteArray::fromHex("0000ff00ff00ff0000000000"));  // B, G, R

    // Image readers agree.
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("tiny.bmp")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(header + block);
    out.close();
    const QImage back(out.fileName());
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(2, 1), qRgb(128, 128, 128));
}

TEST(BmpExport, OneFilePerPageOverwritingOldFiles) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("twinkle.bmp"));
    // An older, longer file of page 2 is replaced completely.
    QFile old(dir.filePath(QStringLiteral("twinkle2.bmp")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(20000000, 'x'));
    old.close();

    const BmpExportResult result = ExportBmp(score, page, target, 96);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.pages, 3);
    EXPECT_EQ(filesIn(dir.path()),
              QStringList({QStringLiteral("twinkle1.bmp"), QStringLiteral("twinkle2.bmp"),
                           QStringLiteral("twinkle3.bmp")}));
    const QSize pixels = exportPixelSize(page, 96);
    for (int p = 1; p <= 3; ++p) {
        const QString file = dir.filePath(QStringLiteral("twinkle%1.bmp").arg(p));
        const QByteArray bytes = readAll(file);
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(u32(bytes, 2), uint32_t(bytes.size()));
        const QImage image(file);
        EXPECT_EQ(image.size(), pixels);
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));  // paper
        int ink = 0;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                ink += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(ink, 100) << "page " << p;
    }
}

TEST(BmpExport, AFileThatCannotBeWrittenIsSkipped) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    QTemporaryDir dir;
    // A folder stands where page 2 would go.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("t2.bmp")));
    const BmpExportResult result =
        ExportBmp(score, page, dir.filePath(QStringLiteral("t.bmp")), 96);
    EXPECT_FALSE(result.complete());
    EXPECT_EQ(result.messageId, 0);
    EXPECT_EQ(result.written, QStringList({dir.filePath(QStringLiteral("t1.bmp")),
                                           dir.filePath(QStringLiteral("t3.bmp"))}));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("t2.bmp"))).isDir());
}

TEST(BmpExport, PagesTooLargeWriteNothing) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    page.width = page.height = 2000000;  // 2000 inches
    QTemporaryDir dir;
    const BmpExportResult result =
        ExportBmp(score, page, dir.filePath(QStringLiteral("t.bmp")), 96);
    EXPECT_NE(result.messageId, 0);
    EXPECT_TRUE(result.written.isEmpty());
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}
