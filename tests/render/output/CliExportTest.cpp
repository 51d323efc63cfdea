// keystaves-cli convert IN OUT.pdf [--dpi R | --vector] and OUT.bmp [--dpi R]: the
// editor's exports from the command line, headless; bad options fail and write nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "OutputTestUtil.h"
#include "render/output/ExportResolution.h"
#include "TestPaths.h"

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

// More pages than allowed are refused before anything is drawn: 2,000 unless
// --max-pages says otherwise; only the pages written count.
TEST(CliExport, PageLimitRefusesLongScoresUnlessAllowed) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("t.pdf"));
    const QString tooMany = QStringLiteral(
        "The score has 3 pages, more than 2: give --max-pages 3 to draw them all.\n");
    const QStringList limit2 = {QStringLiteral("--max-pages"), QStringLiteral("2")};
    struct Case {
        QStringList args;
        int status;
        QString err;
        QStringList files;
    } cases[] = {
        {QStringList{QStringLiteral("convert"), kTwinkle, pdf, QStringLiteral("--vector")} + limit2,
         1,
         tooMany,
         {}},
        {QStringList{QStringLiteral("convert"), kTwinkle, dir.filePath(QStringLiteral("t.bmp")),
                     QStringLiteral("--dpi"), QStringLiteral("10")} +
             limit2,
         1,
         tooMany,
         {}},
        {QStringList{QStringLiteral("convert"), kTwinkle, dir.filePath(QStringLiteral("t.png")),
                     QStringLiteral("--dpi"), QStringLiteral("10")} +
             limit2,
         1,
         tooMany,
         {}},
        {QStringList{QStringLiteral("layout"), kTwinkle} + limit2, 1, tooMany, {}},
        {QStringList{QStringLiteral("convert"), kTwinkle, dir.filePath(QStringLiteral("t.png")),
                     QStringLiteral("--dpi"), QStringLiteral("10"), QStringLiteral("--page"),
                     QStringLiteral("2"), QStringLiteral("--max-pages"), QStringLiteral("1")},
         0,
         {},
         {QStringLiteral("t2.png")}},
        {{QStringLiteral("convert"), kTwinkle, pdf, QStringLiteral("--max-pages"),
          QStringLiteral("3"), QStringLiteral("--dpi"), QStringLiteral("10")},
         0,
         {},
         {QStringLiteral("t.pdf")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const ToolRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err);
        if (c.status != 0) {
            EXPECT_TRUE(run.out.isEmpty());
        }
        EXPECT_EQ(filesIn(dir.path()), c.files);
        for (const QString& f : filesIn(dir.path()))
            QFile::remove(dir.filePath(f));
    }
    for (const char* bad : {"0", "-4", "many"}) {
        const ToolRun run = cli({QStringLiteral("convert"), kTwinkle, pdf,
                                 QStringLiteral("--max-pages"), QString::fromLatin1(bad)});
        EXPECT_EQ(run.status, 2) << bad;
    }

    // A score of a hundred thousand bars is far beyond the limit that holds by default.
    const QString huge = dir.filePath(QStringLiteral("huge.xml"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "<keystaves><score length=\"2147483647\"><tracks><track length=\"2147483647\">"
        "</track></tracks><part hand=\"0\" track=\"1\" /></score></keystaves>");
    file.close();
    const ToolRun run = cli({QStringLiteral("convert"), huge, pdf, QStringLiteral("--vector")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral(", more than 2000: give --max-pages ")))
        << run.err.toStdString();
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("huge.xml")});
}
