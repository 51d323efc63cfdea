// The output commands of a document window with scripted dialogs: the exports ask for a
// name and (raster ones) a resolution; printing goes through a printer writing a PDF
// file (no printer is installed here), with the page range, the stored printer taken
// over and the printable area; without printers Print offers the PDF export; the
// preview, the page setup (rounded margins stored, page laid out again) and the printer
// alignment.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/DocumentLayout.h"
#include "app/DocumentOutput.h"
#include "app/KeystaveView.h"
#include "app/OutputDialogs.h"
#include "app/OutputJobTextIds.h"
#include "render/layout/PrinterRecord.h"
#include "render/output/ExportResolution.h"
#include "render/output/ExportTextIds.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

// Dialogs answered by the test. Every printer they are given writes a PDF file.
class FakeOutputDialogs : public IOutputDialogs {
  public:
    QStringList installedPrinters() override { return printers; }
    std::optional<int> chooseResolution(const std::vector<ResolutionChoice>& choices,
                                        int preselected) override {
        offered = choices;
        offeredPreselected = preselected;
        return resolution;
    }
    bool runPrintDialog(QPrinter& printer, int maxPage) override {
        dialogMaxPage = maxPage;
        toPdf(printer);
        if (fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(fromPage, toPage);
        }
        if (unprintable > 0) {
            QPageLayout layout = printer.pageLayout();
            layout.setMinimumMargins(QMarginsF(unprintable, unprintable, unprintable, unprintable));
            printer.setPageLayout(layout);
        }
        return printAccepted;
    }
    bool runPageSetupDialog(QPrinter& printer) override {
        shownLayout = printer.pageLayout();
        if (chosenLayout) printer.setPageLayout(*chosenLayout);
        return chosenLayout.has_value();
    }
    void runPrintPreview(QPrinter& printer, const std::function<void(QPrinter*)>& paint) override {
        toPdf(printer);
        paint(&printer);
        ++previews;
    }
    void runAlignment(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                      const std::function<void(const PrinterAlignment&)>& changed) override {
        toPdf(printer);
        changed(PrinterAlignment{.horizontal = 7, .vertical = 3});
        paint(&printer);
    }

    PageProgress startPageProgress(int pages) override {
        progressStarted.push_back(pages);
        return [this](int page, int count) {
            progressSeen.emplace_back(page, count);
            return page < stopAtPage;
        };
    }

    void toPdf(QPrinter& printer) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }

    QStringList printers;
    std::optional<int> resolution = 96;
    std::vector<ResolutionChoice> offered;
    int offeredPreselected = -1;
    bool printAccepted = true;
    int fromPage = 0, toPage = 0;
    double unprintable = 0;  // minimum margins of the printer, in its layout's units
    int dialogMaxPage = 0;
    QPageLayout shownLayout;
    std::optional<QPageLayout> chosenLayout;
    int previews = 0;
    QString pdf;
    int stopAtPage = 1 << 30;  // the page (from 0) at which the user cancels
    std::vector<int> progressStarted;
    std::vector<std::pair<int, int>> progressSeen;
};

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QString pdfInfo(const QString& pdf, const QString& key) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(key + u':')) return line.mid(key.size() + 1).trimmed();
    return {};
}

class Output : public ::testing::Test {
  protected:
    void SetUp() override {
        child = new CChildFrame(session, ui);
        ASSERT_TRUE(child->openDocument(
            QStringLiteral(KS_SOURCE_DIR "/resources/samples/twinkle-twinkle.ksv")));
        child->setOutputDialogs(dialogs);
        dialogs.pdf = dir.filePath(QStringLiteral("printed.pdf"));
    }
    void TearDown() override { delete child; }
    CKeystaveDoc& doc() { return child->document(); }
    int pages() { return static_cast<int>(doc().score().pages.size()); }
    int count(int id) const {
        return static_cast<int>(std::count(ui.messages.begin(), ui.messages.end(), id));
    }

    StorageSession session{false};
    FakeUserInterface ui;
    FakeOutputDialogs dialogs;
    QTemporaryDir dir;
    CChildFrame* child = nullptr;
};

}  // namespace

TEST_F(Output, RasterPdfAsksForANameAndAResolution) {
    ui.exportPath = dir.filePath(QStringLiteral("twinkle.pdf"));
    child->runCommand(Cmd::ExportPdf);
    ASSERT_EQ(ui.exportRequests.size(), 1);
    EXPECT_TRUE(ui.exportRequests[0].contains(QStringLiteral("twinkle-twinkle.pdf|PDF Files")));
    ASSERT_EQ(dialogs.offered.size(), 3u);
    EXPECT_EQ(dialogs.offered[dialogs.offeredPreselected].dpi, 300);
    EXPECT_EQ(pdfInfo(ui.exportPath, QStringLiteral("Pages")), QString::number(pages()));
    // The pages are the paper (the sample is A4), whatever the resolution.
    EXPECT_EQ(pdfInfo(ui.exportPath, QStringLiteral("Page size")),
              QStringLiteral("595 x 842 pts (A4)"));
    EXPECT_TRUE(ui.messages.empty());

    // Cancelled at the resolution: nothing is written.
    dialogs.resolution.reset();
    ui.exportPath = dir.filePath(QStringLiteral("cancelled.pdf"));
    child->runCommand(Cmd::ExportPdf);
    EXPECT_FALSE(QFileInfo::exists(ui.exportPath));
}

TEST_F(Output, VectorPdfAndItsFailure) {
    ui.exportPath = dir.filePath(QStringLiteral("vector.pdf"));
    child->runCommand(Cmd::ExportVectorPdf);
    EXPECT_TRUE(dialogs.offered.empty());  // no resolution to choose
    EXPECT_EQ(pdfInfo(ui.exportPath, QStringLiteral("Pages")), QString::number(pages()));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("busy.pdf")));
    ui.exportPath = dir.filePath(QStringLiteral("busy.pdf"));
    child->runCommand(Cmd::ExportVectorPdf);
    EXPECT_EQ(ui.messages, std::vector<int>{OutputTextId::FileOpenElsewhere});
}

TEST_F(Output, BitmapsThatCannotBeWrittenAreReported) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("page2.bmp")));
    ui.exportPath = dir.filePath(QStringLiteral("page.bmp"));
    child->runCommand(Cmd::ExportBitmaps);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("page1.bmp"))).isFile());
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("page3.bmp"))).isFile());
    ASSERT_EQ(ui.messages, std::vector<int>{OutputTextId::BitmapsNotWritten});
    EXPECT_EQ(ui.messageTexts.front(), QStringLiteral("1 of 3 bitmap files could not be written."));
}

TEST_F(Output, ExportsReportTheirPagesAndCanBeCancelled) {
    ASSERT_GT(pages(), 1);
    const std::vector<std::pair<int, int>> everyPage = [this] {
        std::vector<std::pair<int, int>> list;
        for (int i = 0; i < pages(); ++i)
            list.push_back({i, pages()});
        return list;
    }();
    struct Case {
        int command;
        QString file;
    };
    for (const Case& c :
         {Case{Cmd::ExportPdf, "raster.pdf"}, Case{Cmd::ExportVectorPdf, "vector.pdf"},
          Case{Cmd::ExportBitmaps, "page.bmp"}}) {
        SCOPED_TRACE(c.file.toStdString());
        dialogs.progressSeen.clear();
        dialogs.stopAtPage = 1 << 30;
        ui.exportPath = dir.filePath(c.file);
        child->runCommand(c.command);
        EXPECT_EQ(dialogs.progressSeen, everyPage);
        const QString where =
            c.command == Cmd::ExportBitmaps
                ? dir.filePath("page1.bmp") + " ... page" + QString::number(pages()) + ".bmp"
                : ui.exportPath;
        ASSERT_FALSE(ui.statuses.isEmpty());
        EXPECT_EQ(ui.statuses.last(), QString("%1 pages exported to %2").arg(pages()).arg(where));

        // Cancelled after the first page.
        dialogs.stopAtPage = 1;
        dialogs.progressSeen.clear();
        ui.exportPath = dir.filePath("cancelled-" + c.file);
        child->runCommand(c.command);
        EXPECT_EQ(dialogs.progressSeen.size(), 2u);
        if (c.command == Cmd::ExportBitmaps) {
            EXPECT_TRUE(QFileInfo::exists(dir.filePath("cancelled-page1.bmp")));
            EXPECT_FALSE(QFileInfo::exists(dir.filePath("cancelled-page2.bmp")));
            EXPECT_EQ(ui.statuses.last(),
                      QString("Export cancelled: 1 of %1 pages were written.").arg(pages()));
        } else {
            EXPECT_FALSE(QFileInfo::exists(ui.exportPath));
            EXPECT_EQ(ui.statuses.last(), "Export cancelled: nothing was written.");
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Output, WithoutAPrinterPrintOffersThePdfExport) {
    ui.answers = {false};
    child->runCommand(Cmd::FilePrint);
    EXPECT_EQ(ui.questions, std::vector<int>{OutputTextId::NoPrinterInstalled});
    EXPECT_TRUE(ui.exportRequests.isEmpty());

    ui.exportPath = dir.filePath(QStringLiteral("instead.pdf"));
    child->runCommand(Cmd::FilePrint);
    EXPECT_EQ(pdfInfo(ui.exportPath, QStringLiteral("Pages")), QString::number(pages()));
    EXPECT_EQ(dialogs.dialogMaxPage, 0);  // no print dialog
}

TEST_F(Output, PrintingDrawsThePagesOfTheRangeAndKeepsThePrinterChosen) {
    dialogs.printers = {QStringLiteral("Office")};
    child->runCommand(Cmd::FilePrint);
    EXPECT_EQ(dialogs.dialogMaxPage, pages());
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Pages")), QString::number(pages()));
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Page size")),
              QStringLiteral("595 x 842 pts (A4)"));
    EXPECT_TRUE(ui.messages.empty());
    // The document had no printer of its own: the one used is stored, with its paper.
    EXPECT_TRUE(readDevNames(doc().printer().devnames).has_value());
    EXPECT_EQ(DevModeRecord(doc().printer().devmode).paperSize(), PaperCode::A4);

    dialogs.fromPage = dialogs.toPage = 2;
    child->runCommand(Cmd::FilePrint);
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Pages")), QStringLiteral("1"));

    // Cancelled: nothing printed.
    QFile::remove(dialogs.pdf);
    dialogs.printAccepted = false;
    child->runCommand(Cmd::FilePrint);
    EXPECT_FALSE(QFileInfo::exists(dialogs.pdf));
}

TEST_F(Output, MarginsOutsideThePrintableAreaAreRaisedAndTheUserTold) {
    dialogs.printers = {QStringLiteral("Office")};
    doc().printer().hasMargins = true;
    doc().printer().left = doc().printer().top = 100;  // a tenth of an inch
    dialogs.unprintable = 18;                          // points: a quarter of an inch
    child->runCommand(Cmd::FilePrint);
    EXPECT_EQ(count(OutputTextId::OutsidePrintableArea), 1);
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Pages")).toInt(), pages());
    // The document keeps its own margins.
    EXPECT_EQ(doc().printer().left, 100);
}

TEST_F(Output, PreviewShowsEveryPage) {
    child->runCommand(Cmd::FilePrintPreview);
    EXPECT_EQ(dialogs.previews, 1);
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Pages")), QString::number(pages()));
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(Output, PageSetupStoresPaperAndRoundedMarginsAndLaysOutAgain) {
    // Shown: the document's page with its margins in millimetres.
    dialogs.chosenLayout.reset();
    child->runCommand(Cmd::FilePrintSetup);
    EXPECT_EQ(dialogs.shownLayout.pageSize().id(), QPageSize::A4);
    EXPECT_DOUBLE_EQ(dialogs.shownLayout.margins(QPageLayout::Millimeter).left(), 12.7);
    EXPECT_FALSE(doc().isModified());

    dialogs.chosenLayout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                       QMarginsF(20, 10, 10, 10), QPageLayout::Millimeter);
    child->runCommand(Cmd::FilePrintSetup);
    EXPECT_TRUE(doc().isModified());
    EXPECT_EQ(doc().printer().left, 787);  // 2000 hundredths of a mm x 100 / 254
    EXPECT_EQ(doc().printer().top, 394);
    const PageGeometry page = documentPage(doc().printer());
    EXPECT_EQ(page.width, 11000);
    EXPECT_EQ(page.height, 8500);
    EXPECT_EQ(child->view().scrollSize(), QSize(1100, 850));
    ASSERT_FALSE(doc().score().lines.empty());
    EXPECT_GE(doc().score().lines.front().left, 787);
}

TEST_F(Output, AlignmentKeepsTheOffsetsAndDrawsOnePage) {
    child->runCommand(Cmd::AlignPrinter);
    EXPECT_EQ(child->output().alignment(), (PrinterAlignment{.horizontal = 7, .vertical = 3}));
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Pages")), QStringLiteral("1"));
}

// Cancelled while they run, the exports write nothing (bitmaps: only the pages before)
// and the print run is aborted; nobody is told of a failure.
TEST_F(Output, JobsCanBeCancelledWhileTheyRun) {
    dialogs.stopAtPage = 1;
    dialogs.printers = {QStringLiteral("Office")};
    struct Case {
        int command;
        const char* file;
    } cases[] = {{Cmd::ExportPdf, "raster.pdf"},
                 {Cmd::ExportVectorPdf, "vector.pdf"},
                 {Cmd::ExportBitmaps, "page.bmp"},
                 {Cmd::FilePrint, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        dialogs.progressStarted.clear();
        dialogs.progressSeen.clear();
        if (c.file) ui.exportPath = dir.filePath(QString::fromLatin1(c.file));
        child->runCommand(c.command);
        EXPECT_EQ(dialogs.progressStarted, std::vector<int>{pages()});
        EXPECT_EQ(dialogs.progressSeen,
                  (std::vector<std::pair<int, int>>{{0, pages()}, {1, pages()}}));
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("page1.bmp")});
}

// Before more than 500 pages the user is asked; No leaves everything as it was, before
// any file is chosen.
TEST_F(Output, LongJobsAskFirst) {
    CScore& score = doc().score();
    score.setLength(score.barStart(6000));
    layOutDocument(score, doc().printer());
    ASSERT_GT(pages(), kLargeJobPages);
    dialogs.printers = {QStringLiteral("Office")};
    for (int command : {Cmd::ExportPdf, Cmd::ExportVectorPdf, Cmd::ExportBitmaps, Cmd::FilePrint,
                        Cmd::FilePrintPreview}) {
        SCOPED_TRACE(command);
        ui.questions.clear();
        ui.questionTexts.clear();
        ui.answers = {false};
        ui.exportPath = dir.filePath(QStringLiteral("long.pdf"));
        child->runCommand(command);
        EXPECT_EQ(ui.questions, std::vector<int>{OutputJobTextId::LargeJobQuestion});
        ASSERT_EQ(ui.questionTexts.size(), 1);
        EXPECT_TRUE(
            ui.questionTexts[0].startsWith(QStringLiteral("This score has %1 pages.").arg(pages())))
            << ui.questionTexts[0].toStdString();
    }
    EXPECT_TRUE(ui.exportRequests.isEmpty());
    EXPECT_TRUE(dialogs.progressStarted.empty());
    EXPECT_EQ(dialogs.previews, 0);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());

    // Yes goes on to the job (here cancelled at once); a short page range asks nothing.
    ui.questions.clear();
    ui.answers = {true};
    dialogs.stopAtPage = 0;
    child->runCommand(Cmd::ExportVectorPdf);
    EXPECT_EQ(ui.questions, std::vector<int>{OutputJobTextId::LargeJobQuestion});
    EXPECT_EQ(dialogs.progressStarted, std::vector<int>{pages()});
    ui.questions.clear();
    dialogs.fromPage = 1;
    dialogs.toPage = 2;
    dialogs.stopAtPage = 1 << 30;
    child->runCommand(Cmd::FilePrint);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(pdfInfo(dialogs.pdf, QStringLiteral("Pages")), QStringLiteral("2"));
}
