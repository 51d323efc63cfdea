// Reference images of the sample scores' pages at 96 dpi, drawn as the image export
// draws them. A page must match its reference but for a few pixels (antialiasing and
// text rendering may move single pixels); KS_UPDATE_REFERENCE_IMAGES=1 writes the
// references anew, on purpose only.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "render/output/PageImage.h"
#include "storage/DocumentContainer.h"
#include "TestPaths.h"

using namespace ks;

namespace {

// Share of pixels in which some colour channel differs by more than 64.
double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    int64_t differ = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qRed(pa[x]) - qRed(pb[x])) > 64 ||
                std::abs(qGreen(pa[x]) - qGreen(pb[x])) > 64 ||
                std::abs(qBlue(pa[x]) - qBlue(pb[x])) > 64)
                ++differ;
    }
    return double(differ) / (double(a.width()) * a.height());
}

void expectPageLikeReference(const QString& sample, int page) {
    CScore score;
    CPrinterSettings printer;
    const QString path = QStringLiteral(KS_SOURCE_DIR "/resources/samples/%1.ksv").arg(sample);
    ASSERT_TRUE(readContainer(path, score, &printer).ok) << path.toStdString();
    const PageGeometry geometry = pageGeometryFor(printer);
    layoutForExport(score, geometry);
    const QImage image = renderPageImage(score, geometry, page - 1, 96, QFileInfo(path).fileName())
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());
    const QString reference =
        QStringLiteral(KS_FIXTURES "/render/%1-page%2-96dpi.png").arg(sample).arg(page);
    if (qEnvironmentVariableIntValue("KS_UPDATE_REFERENCE_IMAGES") == 1) {
        QDir().mkpath(QFileInfo(reference).absolutePath());
        ASSERT_TRUE(image.save(reference)) << reference.toStdString();
        return;
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "missing reference " << reference.toStdString();
    EXPECT_LT(differingShare(image, expected), 0.001) << reference.toStdString();
}

}  // namespace

TEST(SampleImages, MinuetFirstPageWithTitlesClefsAndSignatures) {
    expectPageLikeReference(QStringLiteral("minuet-in-g"), 1);
}

TEST(SampleImages, MinuetLastPageWithWedgePiecesAndEndings) {
    expectPageLikeReference(QStringLiteral("minuet-in-g"), 4);
}

TEST(SampleImages, TwinkleFirstPageWithVersesAndCopyright) {
    expectPageLikeReference(QStringLiteral("twinkle-twinkle"), 1);
}

TEST(SampleImages, TwinkleSecondPageWithEndingsAndKeyChange) {
    expectPageLikeReference(QStringLiteral("twinkle-twinkle"), 2);
}
