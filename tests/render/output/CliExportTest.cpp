// keystaves-cli convert IN OUT.pdf [--dpi R | --vector] and OUT.bmp [--dpi R]: the
// editor's exports from the command line, headless; bad options fail and write nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "OutputTestUtil.h"
#include "render/output/ExportResolution.h"

using namespace ks;
using namespace ks::test;

namespace {

ToolRun cli(const QStringList& args) {
    return runTool(QStringLiteral(KS_CLI), args);
}

const QString kTwinkle = samplePath(QStringLiteral("twinkle-twinkle.ksv"));

}  // namespace

TEST(CliExport, RasterPdfAtThePreselectedResolutionAndBitmaps) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    QTemporaryDir dir;

    const ToolRun pdf = cli({QStringLiteral("convert"), kTwinkle, dir.filePath("t.pdf")});
    ASSERT_EQ(pdf.status, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.err.isEmpty()) << pdf.err.toStdString();
    const std::vector<PdfImage> images = pdfImages(dir.filePath("t.pdf"));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(QSize(images[0].width, images[0].height), exportPixelSize(page, 300));
    // An A4 score prints on A4 whatever the resolution.
    EXPECT_EQ(pdfInfo(dir.filePath("t.pdf"), QStringLiteral("Page size")),
              QStringLiteral("595 x 842 pts (A4)"));

    const ToolRun bmp = cli({QStringLiteral("convert"), kTwinkle, dir.filePath("t.bmp"),
                             QStringLiteral("--dpi"), QStringLiteral("96")});
    ASSERT_EQ(bmp.status, 0) << bmp.err.toStdString();
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(QImage(dir.filePath(QStringLiteral("t%1.bmp").arg(p))).size(),
                  exportPixelSize(page, 96));
    EXPECT_EQ(filesIn(dir.path()),
              QStringList({QStringLiteral("t.pdf"), QStringLiteral("t1.bmp"),
                           QStringLiteral("t2.bmp"), QStringLiteral("t3.bmp")}));
}

TEST(CliExport, VectorPdfOfAnImportedMidiFile) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("piano.pdf"));
    const ToolRun run =
        cli({QStringLiteral("convert"), QStringLiteral(KS_FIXTURES "/midi/format1-piano.mid"), out,
             QStringLiteral("--vector")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(pdfInfo(out, QStringLiteral("Page size")), QStringLiteral("595 x 842 pts (A4)"));
    EXPECT_TRUE(pdfImages(out).empty());
    bool music = false;
    for (const auto& [name, embedded] : pdfFonts(out))
        music = music || (name == u"Keystave" && embedded);
    EXPECT_TRUE(music);
}

TEST(CliExport, BadOptionsFailAndWriteNothing) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
    const QString bmp = dir.filePath(QStringLiteral("x.bmp"));
    const std::pair<QStringList, int> cases[] = {
        {{QStringLiteral("convert"), kTwinkle, pdf, QStringLiteral("--vector"),
          QStringLiteral("--dpi"), QStringLiteral("150")},
         2},
        {{QStringLiteral("convert"), kTwinkle, bmp, QStringLiteral("--vector")}, 2},
        {{QStringLiteral("convert"), kTwinkle, pdf, QStringLiteral("--dpi")}, 2},
        {{QStringLiteral("convert"), kTwinkle, pdf, QStringLiteral("--dpi"),
          QStringLiteral("5000")},
         1},
        {{QStringLiteral("convert"), kTwinkle, bmp, QStringLiteral("--dpi"), QStringLiteral("0")},
         1},
        {{QStringLiteral("convert"), dir.filePath(QStringLiteral("missing.ksv")), pdf}, 1},
    };
    for (const auto& [args, status] : cases) {
        const ToolRun run = cli(args);
        EXPECT_EQ(run.status, status) << args.join(u' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}
