#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "render/surface/FontFamilies.h"
#include "render/surface/FontMetricsEngine.h"
#include "render/surface/PainterSurface.h"
#include "render/surface/RecordingSurface.h"
#include "resources/MusicFont.h"

using namespace ks;

namespace {

FontSpec musicFont(int emHeight) {
    return FontSpec{.family = QString::fromLatin1(kMusicFontFamily), .height = -emHeight};
}

// Bounding box of the pixels darker than mid grey.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

// The unit of the stave comes from the cell height of "6" in the music font:
// u = cell / 2.3333 = fontsize x 0.5555555.
TEST(Surface, MusicFontCellGivesTheStaveUnit) {
    RecordingSurface s;
    for (int fontsize : {53, 107, 200, 1000}) {
        const double u = s.cellHeight(musicFont(fontsize)) / 2.3333;
        EXPECT_NEAR(u, fontsize * 0.5555555, fontsize * 0.0005) << fontsize;
    }
    // Measuring is linear in the size: fractional page-unit sizes stay exact.
    const TextMetrics a = s.measure(musicFont(100), QStringLiteral("6"));
    const TextMetrics b = s.measure(musicFont(300), QStringLiteral("6"));
    EXPECT_NEAR(b.width, 3 * a.width, 1e-6);
    EXPECT_NEAR(b.ascent, 3 * a.ascent, 1e-6);
}

TEST(Surface, PositiveHeightsAreCellHeightsAndWidthsStretch) {
    RecordingSurface s;
    const FontSpec cell{.family = QStringLiteral("Liberation Serif"), .height = 400};
    EXPECT_NEAR(s.cellHeight(cell), 400, 0.5);
    FontSpec narrow{.family = QStringLiteral("Liberation Serif"), .height = -200, .weight = 800};
    const double natural = s.measure(narrow, QStringLiteral("12")).width;
    narrow.width = 40;
    const double stretched = s.measure(narrow, QStringLiteral("12")).width;
    EXPECT_LT(stretched, natural);
    EXPECT_GT(stretched, 0);
}

// Documents name Windows families; pages draw them in open fonts of the same metrics,
// through our table rather than whatever the platform would substitute.
TEST(Surface, WindowsFamiliesDrawInMetricCompatibleOpenFonts) {
    const std::pair<const char*, const char*> table[] = {
        {"Times New Roman", "Liberation Serif"},
        {"times new roman", "Liberation Serif"},
        {" Arial ", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Calibri", "Carlito"},
        {"Cambria", "Caladea"},
        {"Comic Sans MS", ""},
        {"Liberation Serif", ""},
        {"", ""},
    };
    for (const auto& [named, open] : table)
        EXPECT_EQ(metricCompatibleFamily(QLatin1String(named)), QLatin1String(open)) << named;
    // Only where the machine has the open family; else the platform finds the named one.
    const QStringList machine{QStringLiteral("Liberation Sans"), QStringLiteral("Verdana")};
    EXPECT_EQ(drawingFamily(QStringLiteral("Arial"), machine), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(drawingFamily(QStringLiteral("Times New Roman"), machine),
              QStringLiteral("Times New Roman"));
    EXPECT_EQ(drawingFamily(QStringLiteral("Verdana"), machine), QStringLiteral("Verdana"));

    // The surfaces' font engine draws and measures the named family as the open one.
    FontMetricsEngine& engine = FontMetricsEngine::instance();
    for (const auto& [named, open] :
         {std::pair{"Times New Roman", "Liberation Serif"}, std::pair{"Arial", "Liberation Sans"},
          std::pair{"Courier New", "Liberation Mono"}}) {
        const FontSpec asNamed{.family = QLatin1String(named), .height = -300, .italic = true};
        FontSpec asOpen = asNamed;
        asOpen.family = QLatin1String(open);
        const QFont drawn = engine.drawing(asNamed).font;
        EXPECT_EQ(drawn.family(), QLatin1String(open));
        EXPECT_EQ(QFontInfo(drawn).family(), QLatin1String(open));
        const QString text = QStringLiteral("Minuet in G, J. S. Bach");
        EXPECT_DOUBLE_EQ(engine.measure(asNamed, text).width, engine.measure(asOpen, text).width);
    }
}

TEST(Surface, RecordingKeepsGeometryElementsAndTextBoxes) {
    RecordingSurface s(CSurface::Kind::Screen, QRect(0, 0, 500, 500));
    EXPECT_TRUE(s.isScreen());
    EXPECT_EQ(s.visibleArea(), QRect(0, 0, 500, 500));
    s.beginElement(QStringLiteral("chord"), 3);
    s.drawLine({10, 20}, {110, 20}, Pen{.colour = Qt::red, .width = 7, .style = PenStyle::Dashed});
    s.beginElement(QStringLiteral("note"), 0);
    s.drawText({100, 200}, QStringLiteral("6"), musicFont(107), Qt::black, TextAlign::Centre);
    s.endElement();
    s.fillRect(QRect(1, 2, 3, 4), QColor(160, 160, 160));
    s.endElement();
    s.drawArc(QRect(0, 0, 100, 50), {100, 25}, {0, 25}, Pen{});
    ASSERT_EQ(s.items().size(), 4u);
    EXPECT_EQ(s.items()[0].element, QStringLiteral("chord 3"));
    EXPECT_EQ(s.items()[1].element, QStringLiteral("note 0"));
    EXPECT_EQ(s.items()[2].element, QStringLiteral("chord 3"));
    EXPECT_TRUE(s.items()[3].element.isEmpty());
    const DrawnItem& head = s.items()[1];
    const TextMetrics m = s.measure(musicFont(107), QStringLiteral("6"));
    EXPECT_NEAR(head.rect.center().x(), 100, 1);  // centred on the point
    EXPECT_EQ(head.rect.top(), 200);
    EXPECT_NEAR(head.rect.height(), m.height(), 1);
    EXPECT_EQ(s.itemsOf(DrawnItem::Type::Line, QStringLiteral("chord")).size(), 1u);
    EXPECT_EQ(s.texts(QStringLiteral("6")).size(), 1u);
    EXPECT_EQ(s.dump()[0], QStringLiteral("line (10,20) (110,20) pen #ff0000 w7 s1 {chord 3}"));
}

// The painter back end puts things where the page coordinates say, at any scale.
TEST(Surface, PainterDrawsAtThePageCoordinates) {
    for (double dpi : {96.0, 300.0}) {
        const double scale = dpi / 1000.0;  // pixels per page unit
        QImage image(int(2000 * scale), int(2000 * scale), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PainterSurface s(CSurface::Kind::Export, painter, scale);
            s.fillRect(QRect(500, 500, 1000, 200), Qt::black);
        }
        const QRect ink = inkBox(image);
        EXPECT_NEAR(ink.left(), 500 * scale, 1.5) << dpi;
        EXPECT_NEAR(ink.right() + 1, 1500 * scale, 1.5) << dpi;
        EXPECT_NEAR(ink.top(), 500 * scale, 1.5) << dpi;
        EXPECT_NEAR(ink.bottom() + 1, 700 * scale, 1.5) << dpi;
    }
}

TEST(Surface, PainterTextSitsInTheBoxTheRecordingReports) {
    const double scale = 0.3;
    QImage image(600, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    RecordingSurface rec;
    const FontSpec font = musicFont(400);
    rec.drawText({1000, 600}, QStringLiteral("6"), font, Qt::black, TextAlign::Left);
    {
        QPainter painter(&image);
        PainterSurface s(CSurface::Kind::Export, painter, scale);
        s.drawText({1000, 600}, QStringLiteral("6"), font, Qt::black, TextAlign::Left);
    }
    const QRect ink = inkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    const QRect cell = rec.items()[0].rect;
    // The head lies inside its cell, centred vertically.
    EXPECT_GE(ink.left(), cell.left() * scale - 2);
    EXPECT_LE(ink.right(), cell.right() * scale + 2);
    EXPECT_NEAR((ink.top() + ink.bottom()) / 2.0, cell.center().y() * scale, 3);
}
