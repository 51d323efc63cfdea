// The compiled-in music font: it loads under its family name, holds every code the drawing
// and the symbol dialog use, and has the metrics the layout derives the stave unit from.
#include <gtest/gtest.h>

#include "resources/MusicFont.h"
#include "resources/MusicGlyphs.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <set>

namespace {

QGuiApplication* application() {
    static int argc = 1;
    static char name[] = "resources_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app =
        QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    return app;
}

class MusicFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        application();
        ASSERT_TRUE(ks::loadMusicFont());
    }
    // Without font merging a character missing from the font is not drawn (or claimed)
    // by a fallback font.
    static QFont font(int pixelSize) {
        QFont f(QString::fromLatin1(ks::kMusicFontFamily));
        f.setPixelSize(pixelSize);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setStyleStrategy(QFont::NoFontMerging);
        return f;
    }
};

TEST_F(MusicFontTest, LoadsFromTheResourceUnderItsFamilyName) {
    EXPECT_TRUE(ks::loadMusicFont());  // a second call reports the first result
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Keystave")));
    EXPECT_EQ(QFontInfo(font(40)).family(), QStringLiteral("Keystave"));
}

TEST_F(MusicFontTest, HoldsEveryRoleAndSymbolCodeWithInk) {
    const std::set<char16_t> symbols(ks::glyph::kSymbolCodes.begin(),
                                     ks::glyph::kSymbolCodes.end());
    const std::set<char16_t> roles(ks::glyph::kRoleCodes.begin(), ks::glyph::kRoleCodes.end());
    EXPECT_EQ(symbols.size(), 111u);
    EXPECT_EQ(roles.size(), ks::glyph::kRoleCodes.size());
    for (char16_t c : roles)
        EXPECT_EQ(symbols.count(c), 0u) << "code " << int(c);

    const QFontMetricsF fm(font(100));
    std::set<char16_t> all = symbols;
    all.insert(roles.begin(), roles.end());
    for (char16_t c : all) {
        EXPECT_TRUE(fm.inFontUcs4(c)) << "code " << int(c);
        EXPECT_FALSE(fm.boundingRect(QChar(c)).isEmpty()) << "code " << int(c);
    }
    // Codes the drawing never asks for are not claimed by the font.
    for (char16_t c : {u'0', u'9', char16_t(0x80), char16_t(0x9F), char16_t(0xFF)})
        EXPECT_FALSE(fm.inFontUcs4(c)) << "code " << int(c);
}

TEST_F(MusicFontTest, CellHeightGivesTheStaveUnit) {
    // u = cell height of "6" / 2.3333 must equal fontsize x 0.5555555.
    for (int h : {53, 107, 200, 1080, 4000}) {
        const QFontMetricsF fm(font(h));
        EXPECT_NEAR(fm.height(), h * 2.3333 * 0.5555555, 1.0 + h * 1e-4) << "pixel size " << h;
        EXPECT_NEAR(fm.height() / 2.3333, h * 0.5555555, 0.5 + h * 1e-4) << "pixel size " << h;
    }
}

// Every platform reads the cell from a different table (FreeType hhea or OS/2 typo, GDI and
// DirectWrite OS/2 win), so all three must give the same cell; GDI also takes the OS/2
// average width as the unit of a requested font width, which the brace relies on.
TEST_F(MusicFontTest, MetricTablesAgreeOnTheCell) {
    const QRawFont raw = QRawFont::fromFont(font(1080));
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray os2 = raw.fontTable("OS/2");
    ASSERT_GE(head.size(), 54);
    ASSERT_GE(hhea.size(), 36);
    ASSERT_GE(os2.size(), 78);
    auto u16 = [](const QByteArray& t, int at) {
        return int(quint8(t[at])) << 8 | int(quint8(t[at + 1]));
    };
    auto s16 = [&](const QByteArray& t, int at) { return int(qint16(u16(t, at))); };

    EXPECT_EQ(u16(head, 18), 1080);                // unitsPerEm
    EXPECT_EQ(s16(hhea, 4) - s16(hhea, 6), 1400);  // ascender - descender
    EXPECT_EQ(s16(hhea, 8), 0);                    // line gap
    EXPECT_EQ(s16(os2, 68) - s16(os2, 70), 1400);  // typo ascender - descender
    EXPECT_EQ(s16(os2, 72), 0);                    // typo line gap
    EXPECT_EQ(u16(os2, 74) + u16(os2, 76), 1400);  // win ascent + descent
    EXPECT_EQ(s16(hhea, 4), s16(os2, 68));         // same baseline everywhere
    EXPECT_EQ(s16(hhea, 4), u16(os2, 74));
    EXPECT_TRUE(u16(os2, 62) & 0x80);  // USE_TYPO_METRICS
    EXPECT_NEAR(s16(os2, 2),
                QFontMetricsF(font(1080)).horizontalAdvance(QChar(ks::glyph::StaveStart)),
                0.5);  // xAvgCharWidth = brace advance
}

// At a pixel size of 1080 one pixel is one font unit: u = 600, the large font's u = 67.5.
TEST_F(MusicFontTest, GlyphsSitWhereTheDrawingPutsThem) {
    const QFontMetricsF fm(font(1080));
    const double top = -fm.ascent();  // cell top relative to the baseline
    const double middle = top + fm.height() / 2;
    auto ink = [&](char16_t c) { return fm.boundingRect(QChar(c)); };

    // Heads are W = 4 u wide and centred on the cell's middle, about 2 u high.
    for (char16_t head : {ks::glyph::HeadFilled, ks::glyph::HeadHollow, ks::glyph::HeadWhole}) {
        EXPECT_NEAR(fm.horizontalAdvance(QChar(head)), 2400, 1) << int(head);
        const QRectF r = ink(head);
        EXPECT_NEAR(r.center().y(), middle, 3) << int(head);
        EXPECT_NEAR(r.height(), 2.0 * 600, 0.1 * 600) << int(head);
        EXPECT_GE(r.left(), -1) << int(head);
        EXPECT_LE(r.right(), 2401) << int(head);
    }
    // Up-stem flags hang from the cell top, down-stem flags rise from it.
    EXPECT_NEAR(ink(ks::glyph::FlagUp).top(), top, 2);
    EXPECT_NEAR(ink(ks::glyph::FlagUpRepeated).top(), top, 2);
    EXPECT_NEAR(ink(ks::glyph::FlagDown).bottom(), top, 2);
    EXPECT_NEAR(ink(ks::glyph::FlagDownRepeated).bottom(), top, 2);
    // The brace fills the em from the cell top.
    EXPECT_NEAR(ink(ks::glyph::StaveStart).top(), top, 2);
    EXPECT_NEAR(ink(ks::glyph::StaveStart).height(), 1080, 3);
    // Repeat dots are centred 0.5625 u below the cell top.
    EXPECT_NEAR(ink(ks::glyph::RepeatDot).center().y(), top + 0.5625 * 67.5, 2);
}

// Drawn through QPainter with its cell top at y = 0, a filled head's ink is centred on the
// cell's middle: the head of a note lands on its pitch.
TEST_F(MusicFontTest, PaintedHeadIsCentredInItsCell) {
    const QFont f = font(100);
    const QFontMetricsF fm(f);
    QImage img(400, 200, QImage::Format_Grayscale8);
    img.fill(255);
    {
        QPainter p(&img);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QPointF(50, fm.ascent()), QString(QChar(ks::glyph::HeadFilled)));
    }
    int minX = img.width(), maxX = -1, minY = img.height(), maxY = -1;
    for (int y = 0; y < img.height(); ++y) {
        const uchar* row = img.constScanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            if (row[x] < 128) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    ASSERT_GE(maxY, 0);
    EXPECT_NEAR((minY + maxY + 1) / 2.0, fm.height() / 2, 1.5);
    const QRectF ink = fm.boundingRect(QChar(ks::glyph::HeadFilled));
    EXPECT_NEAR(minX - 50, ink.left(), 1.5);
    EXPECT_NEAR(maxX + 1 - 50, ink.right(), 1.5);
}

}  // namespace
