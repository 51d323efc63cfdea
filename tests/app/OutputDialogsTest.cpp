// The editor's own output dialogs: the resolution choice (300 dpi preselected), the
// "Align Printer" scroll bars, and the preview wiring of the real dialogs, driven while
// they run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "app/AlignPrinterDialog.h"
#include "app/OutputDialogs.h"
#include "app/ResolutionDialog.h"
#include "model/TextTable.h"
#include "render/output/ExportTextIds.h"

using namespace ks;

namespace {

// Runs `step` once the next modal dialog is showing.
void whenDialogShows(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            whenDialogShows(step);
            return;
        }
        step(modal);
    });
}

}  // namespace

TEST(OutputDialogs, ResolutionDialogPreselectsThePrintResolution) {
    const auto choices = resolutionChoices(text(OutputTextId::ResolutionChoices));
    CResolutionDlg dialog(choices, defaultResolutionIndex(choices));
    EXPECT_EQ(dialog.resolution(), 300);
    auto* list = dialog.findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("96 (Screen)"));
    list->setCurrentIndex(1);
    EXPECT_EQ(dialog.resolution(), 150);
}

TEST(OutputDialogs, AlignmentScrollBarsStepAndStopAtTheirEnds) {
    CAlignPrinterDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Align Printer"));
    std::vector<PrinterAlignment> seen;
    QObject::connect(&dialog, &CAlignPrinterDlg::alignmentChanged,
                     [&](const PrinterAlignment& a) { seen.push_back(a); });
    QScrollBar* h = dialog.horizontalBar();
    QScrollBar* v = dialog.verticalBar();
    EXPECT_EQ(dialog.alignment(), PrinterAlignment{});
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    v->triggerAction(QAbstractSlider::SliderToMaximum);
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // already at the end
    h->setValue(-20);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], (PrinterAlignment{.horizontal = 1, .vertical = 0}));
    EXPECT_EQ(seen[1], (PrinterAlignment{.horizontal = 11, .vertical = 0}));
    EXPECT_EQ(seen[2], (PrinterAlignment{.horizontal = 11, .vertical = 100}));
    EXPECT_EQ(seen[3], (PrinterAlignment{.horizontal = 0, .vertical = 100}));
}

TEST(OutputDialogs, AlignmentRepaintsThePreviewAndClosingItClosesThePreview) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
    QtOutputDialogs dialogs;
    int paints = 0;
    std::vector<PrinterAlignment> changes;
    whenDialogShows([](QWidget* modal) {
        auto* align = qobject_cast<CAlignPrinterDlg*>(modal);
        ASSERT_NE(align, nullptr);
        align->horizontalBar()->setValue(25);
        align->reject();
    });
    dialogs.runAlignment(
        printer, [&](QPrinter*) { ++paints; },
        [&](const PrinterAlignment& a) { changes.push_back(a); });
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].horizontal, 25);
    EXPECT_GE(paints, 2);  // shown, then drawn again with the change
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QPrintPreviewDialog*>(w) && w->isVisible());
}

TEST(OutputDialogs, PreviewPaintsThroughTheDocument) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
    QtOutputDialogs dialogs;
    int paints = 0;
    whenDialogShows([](QWidget* modal) {
        QApplication::processEvents();
        modal->close();
    });
    dialogs.runPrintPreview(printer, [&](QPrinter*) { ++paints; });
    EXPECT_GE(paints, 1);
}

// The progress of a long job: the dialog follows the pages and Cancel stops the job at
// the next page; the dialog goes with the callback.
TEST(OutputDialogs, PageProgressStopsTheJobOnceCancelled) {
    QWidget window;
    QtOutputDialogs dialogs;
    dialogs.setParentWidget(&window);
    {
        const PageProgress progress = dialogs.startPageProgress(3);
        ASSERT_TRUE(progress);
        auto* dialog = window.findChild<QProgressDialog*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(progress(0, 3));
        EXPECT_EQ(dialog->maximum(), 3);
        EXPECT_EQ(dialog->labelText(), QStringLiteral("Page 1 of 3"));
        EXPECT_TRUE(progress(1, 3));
        dialog->cancel();
        EXPECT_FALSE(progress(2, 3));
    }
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}
