// Reference images of whole pages, drawn through the QPainter back end. A page is
// compared with its reference pixel by pixel with a small tolerance for antialiasing;
// setting KS_UPDATE_REFERENCE_IMAGES=1 writes the references anew (on purpose only).
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "NotesTestUtil.h"
#include "SampleScores.h"
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

QString referencePath(const QString& name) {
    return QStringLiteral(KS_SOURCE_DIR "/tests/render/golden/notes/%1.png").arg(name);
}

// Fraction of pixels whose grey level differs by more than 64.
double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    int64_t differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) ++differ;
    return double(differ) / (double(a.width()) * a.height());
}

void compareWithReference(const QImage& image, const QString& name) {
    const QString path = referencePath(name);
    if (qEnvironmentVariableIntValue("KS_UPDATE_REFERENCE_IMAGES") == 1) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(image.save(path)) << path.toStdString();
        return;
    }
    const QImage reference(path);
    ASSERT_FALSE(reference.isNull()) << "missing reference " << path.toStdString();
    const QImage actual = image.convertToFormat(reference.format());
    EXPECT_LT(differingShare(actual, reference), 0.0002) << name.toStdString();
}

}  // namespace

// One page per look of the sample score at 150 dpi.
TEST(NotesReferenceImage, SampleScoreInEachLook) {
    for (const SampleLook& look : sampleLooks())
        compareWithReference(renderPage(sampleScore(look.adjust), 150),
                             QStringLiteral("%1-150").arg(QLatin1String(look.name)));
}
