// Music glyphs held back by printer and export surfaces still reach the device in the
// order they were drawn, and a screen surface draws each at once.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/surface/PainterSurface.h"
#include "resources/MusicFont.h"

using namespace ks;

namespace {

const FontSpec kMusic{.family = QString::fromLatin1(kMusicFontFamily), .height = -120};
const QString kFilledHead = QStringLiteral("6");

int pixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

QImage blank() {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST(GlyphBatch, HeldBackGlyphsKeepTheirPlaceAmongOtherDrawing) {
    for (CSurface::Kind kind : {CSurface::Kind::Export, CSurface::Kind::Printer}) {
        QImage image = blank();
        QPainter painter(&image);
        {
            PainterSurface surface(kind, painter, 1.0);
            surface.drawText({40, 40}, kFilledHead, kMusic, Qt::red, 0);
            surface.drawText({40, 40}, kFilledHead, kMusic, Qt::blue, 0);  // a colour change
            surface.fillRect({0, 0, 100, 200}, Qt::white);  // covers the left half of both
            surface.drawText({40, 40}, kFilledHead, kMusic, Qt::green, 0);
        }
        painter.end();
        EXPECT_EQ(pixelsOf(image, qRgb(255, 0, 0)), 0);
        int blueRight = 0, greenLeft = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                blueRight += x >= 100 && image.pixel(x, y) == qRgb(0, 0, 255);
                greenLeft += x < 100 && image.pixel(x, y) == qRgb(0, 255, 0);
            }
        EXPECT_EQ(blueRight, 0);  // the green glyph lies over it
        EXPECT_GT(greenLeft, 100);
    }
}

TEST(GlyphBatch, AScreenDrawsEachGlyphAtOnce) {
    QImage image = blank();
    QPainter painter(&image);
    PainterSurface surface(CSurface::Kind::Screen, painter, 1.0);
    surface.drawText({40, 40}, kFilledHead, kMusic, Qt::black, 0);
    const QImage drawn = image.copy();
    EXPECT_GT(pixelsOf(drawn, qRgb(0, 0, 0)), 100);

    QImage held = blank();
    QPainter other(&held);
    PainterSurface exportSurface(CSurface::Kind::Export, other, 1.0);
    exportSurface.drawText({40, 40}, kFilledHead, kMusic, Qt::black, 0);
    EXPECT_EQ(pixelsOf(held, qRgb(0, 0, 0)), 0);
    exportSurface.flush();
    EXPECT_EQ(held, drawn);
}
