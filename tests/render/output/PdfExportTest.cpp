// PDF exports read back with a PDF reader: the raster PDF has one page per score page,
// each the paper's size and filled by one image of the page's pixel size; the vector PDF has
// pages of the paper's size with the music font embedded. Failures write nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "OutputTestUtil.h"
#include "render/output/ExportResolution.h"
#include "render/output/ExportTextIds.h"
#include "render/output/RasterPdfExport.h"
#include "render/output/VectorPdfExport.h"

using namespace ks;
using namespace ks::test;

namespace {

// Points the temporary folder at a fresh folder while a test runs, so that whatever an
// export leaves there can be seen.
class PrivateTempFolder {
  public:
    PrivateTempFolder() : old_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toLocal8Bit()); }
    ~PrivateTempFolder() { qputenv("TMPDIR", old_); }
    // What the exports left there.
    QStringList leftOver() const {
        return QDir(dir_.path())
            .entryList({QStringLiteral("keystaves-*")},
                       QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

  private:
    QTemporaryDir dir_;
    QByteArray old_;
};

}  // namespace

TEST(PdfExport, TargetNames) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("piece.pdf"), QStringLiteral("piece.pdf")},
        {QStringLiteral("/m/piece.PDF"), QStringLiteral("/m/piece.pdf")},
        {QStringLiteral("/m/piece.ksv"), QStringLiteral("/m/piece.pdf")},
        {QStringLiteral("/m/piece"), QStringLiteral("/m/piece.pdf")},
        {QStringLiteral("/m.x/piece"), QStringLiteral("/m.x/piece.pdf")},
        {QStringLiteral("a.b.c"), QStringLiteral("a.b.c.pdf")},
    };
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(pdfTargetPath(chosen), written) << chosen.toStdString();
}

TEST(PdfExport, RasterPdfHasOneFullPageImagePerPage) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    const PrivateTempFolder temp;
    QTemporaryDir dir;
    const PdfExportResult result =
        ExportPdf(score, page, dir.filePath(QStringLiteral("twinkle.pdf")), 150);
    ASSERT_TRUE(result.ok) << result.messageId;
    EXPECT_EQ(result.path, dir.filePath(QStringLiteral("twinkle.pdf")));
    EXPECT_EQ(pdfInfo(result.path, QStringLiteral("Pages")), QStringLiteral("3"));
    // The page is the paper (the sample is A4) whatever the resolution, and the page
    // image fills it: its pixels per inch of paper follow from the export's pixel size
    // (150 x 8268 / 960 = 1291 pixels across 8.268 inches).
    const QSize pixels = exportPixelSize(page, 150);
    EXPECT_EQ(pixels, QSize(1291, 1827));
    EXPECT_EQ(pdfInfo(result.path, QStringLiteral("Page size")),
              QStringLiteral("595 x 842 pts (A4)"));
    const std::vector<PdfImage> images = pdfImages(result.path);
    ASSERT_EQ(images.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(images[i].page, i + 1);
        EXPECT_EQ(QSize(images[i].width, images[i].height), pixels);
        EXPECT_EQ(images[i].colour, QStringLiteral("rgb"));
        EXPECT_EQ(images[i].bitsPerComponent, 8);
        EXPECT_EQ(images[i].ppi, 156);
    }
    // The page images drawn into the PDF are the pages: ink on white paper.
    const ToolRun shown = runTool(QStringLiteral("pdftoppm"),
                                  {QStringLiteral("-r"), QStringLiteral("9"), QStringLiteral("-f"),
                                   QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                   QStringLiteral("-png"), result.path, dir.filePath("shown")});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    const QImage first(dir.filePath(QStringLiteral("shown-1.png")));
    ASSERT_FALSE(first.isNull());
    int ink = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            ink += qGray(first.pixel(x, y)) < 200;
    EXPECT_GT(ink, 50);
    EXPECT_GE(qGray(first.pixel(1, 1)), 250);  // white paper (the viewer resamples the image)
    // The page spool is gone.
    EXPECT_TRUE(temp.leftOver().isEmpty()) << temp.leftOver().join(u' ').toStdString();
}

TEST(PdfExport, VectorPdfHasPaperSizedPagesAndEmbeddedFonts) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("twinkle-twinkle.ksv"), score, page));
    QTemporaryDir dir;
    const PdfExportResult result =
        ExportVectorPdf(score, page, dir.filePath(QStringLiteral("twinkle.ksv")));
    ASSERT_TRUE(result.ok) << result.messageId;
    EXPECT_EQ(result.path, dir.filePath(QStringLiteral("twinkle.pdf")));
    EXPECT_EQ(pdfInfo(result.path, QStringLiteral("Pages")), QStringLiteral("3"));
    EXPECT_EQ(pdfInfo(result.path, QStringLiteral("Page size")),
              QStringLiteral("595 x 842 pts (A4)"));
    EXPECT_TRUE(pdfImages(result.path).empty());
    const auto fonts = pdfFonts(result.path);
    ASSERT_FALSE(fonts.empty());
    bool music = false;
    for (const auto& [name, embedded] : fonts) {
        EXPECT_TRUE(embedded) << name.toStdString();
        music = music || name == u"Keystave";
    }
    EXPECT_TRUE(music);
    // Small: well under 300 kB a page.
    EXPECT_LT(QFileInfo(result.path).size(), 3 * 300 * 1024);
}

TEST(PdfExport, FailuresWriteNothing) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("ode-to-joy.xml"), score, page));
    const PrivateTempFolder temp;
    QTemporaryDir dir;

    // The target exists but cannot be replaced (a folder stands there).
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("busy.pdf")));
    for (const PdfExportResult& r :
         {ExportPdf(score, page, dir.filePath(QStringLiteral("busy.pdf")), 96),
          ExportVectorPdf(score, page, dir.filePath(QStringLiteral("busy.pdf")))}) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.messageId, OutputTextId::FileOpenElsewhere);
    }

    // The PDF writer refuses pages smaller than 3 points: its error ends the export.
    PageGeometry tiny = page;
    tiny.width = tiny.height = 20;
    const PdfExportResult refused =
        ExportPdf(score, tiny, dir.filePath(QStringLiteral("t.pdf")), 96);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.messageId, OutputTextId::PdfCreationFailed);

    // Pages too large for the resolution are refused before anything is drawn.
    PageGeometry huge = page;
    huge.width = huge.height = 2000000;
    const PdfExportResult tooLarge =
        ExportPdf(score, huge, dir.filePath(QStringLiteral("h.pdf")), 300);
    EXPECT_EQ(tooLarge.messageId, OutputTextId::PagesTooLarge);

    // A folder that does not exist.
    EXPECT_EQ(ExportPdf(score, page, dir.filePath(QStringLiteral("none/x.pdf")), 96).messageId,
              OutputTextId::PdfCreationFailed);

    EXPECT_EQ(filesIn(dir.path()), QStringList({QStringLiteral("busy.pdf")}));
    EXPECT_TRUE(temp.leftOver().isEmpty());
}

TEST(PdfExport, AnExistingFileIsReplaced) {
    CScore score;
    PageGeometry page;
    ASSERT_TRUE(loadSample(QStringLiteral("ode-to-joy.xml"), score, page));
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("ode.pdf"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a pdf");
    old.close();
    ASSERT_TRUE(ExportPdf(score, page, target, 96).ok);
    EXPECT_EQ(pdfInfo(target, QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(filesIn(dir.path()), QStringList({QStringLiteral("ode.pdf")}));
}
