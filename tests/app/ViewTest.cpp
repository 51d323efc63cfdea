// The document window's view in Page and Layout mode: zoom and scroll sizes, paging,
// the wheel, and the display settings dialog's live preview.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "app/AppTextIds.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/DisplaySettingsDialog.h"
#include "app/DocumentLayout.h"
#include "app/KeystaveView.h"
#include "app/ZoomDialog.h"
#include "app/ZoomRules.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

class View : public ::testing::Test {
  protected:
    void SetUp() override {
        child = new CChildFrame(session, ui);
        child->newDocument();
        child->resize(900, 700);
        child->show();
    }
    void TearDown() override { delete child; }
    CKeystaveView& view() { return child->view(); }
    CKeystaveDoc& doc() { return child->document(); }

    StorageSession session{false};
    FakeUserInterface ui;
    CChildFrame* child = nullptr;
};

TEST_F(View, ScrollSizeIsThePageAtTheZoom) {
    const PageGeometry page = documentPage(doc().printer());
    EXPECT_EQ(view().zoom(), 100);
    EXPECT_EQ(view().scrollSize(), QSize(page.width / 10, page.height / 10));
    view().runCommand(Cmd::Zoom200);
    EXPECT_EQ(view().zoom(), 200);
    EXPECT_EQ(doc().score().prefs.zoom, 200);
    EXPECT_EQ(view().scrollSize(), QSize(page.width / 5, page.height / 5));
    EXPECT_EQ(view().verticalScrollBar()->maximum(), page.height / 5 - view().viewport()->height());
    view().runCommand(Cmd::ZoomFullPage);
    EXPECT_EQ(view().zoom(), view().viewport()->height() * 1000 / page.height);
    EXPECT_EQ(view().verticalScrollBar()->maximum(), 0);
    view().runCommand(Cmd::ZoomPageWidth);
    EXPECT_EQ(view().zoom(), view().viewport()->width() * 1000 / page.width);
}

TEST_F(View, SameZoomAgainChangesNothing) {
    view().runCommand(Cmd::Zoom400);
    view().verticalScrollBar()->setValue(1234);
    view().setZoom(400);
    EXPECT_EQ(view().verticalScrollBar()->value(), 1234);
}

TEST_F(View, LandscapeSwapsTheScrollSize) {
    const QSize portrait = view().scrollSize();
    setDocumentOrientation(doc().printer(), 2);
    child->relayout();
    EXPECT_EQ(view().scrollSize(), portrait.transposed());
}

TEST_F(View, PagesStepWithinTheDocument) {
    const int pages = view().pageCount();
    ASSERT_GT(pages, 1);  // a new document's 75 bars fill more than one page
    EXPECT_FALSE(view().commandState(Cmd::PreviousPage)->enabled);
    EXPECT_TRUE(view().commandState(Cmd::NextPage)->enabled);
    EXPECT_EQ(view().paneText(Pane::Page), QString(" 1/%1").arg(pages));
    for (int i = 0; i < pages + 3; ++i)
        if (view().commandState(Cmd::NextPage)->enabled) view().runCommand(Cmd::NextPage);
    EXPECT_EQ(view().currentPage(), pages - 1);
    EXPECT_FALSE(view().commandState(Cmd::NextPage)->enabled);
    EXPECT_EQ(view().paneText(Pane::Page), QString(" %1/%1").arg(pages));
    view().runCommand(Cmd::PreviousPage);
    EXPECT_EQ(view().currentPage(), pages - 2);
    EXPECT_EQ(view().paneText(Pane::Position), " 1/1/0  /  75");  // a new document's bars
    EXPECT_EQ(view().paneText(Pane::Tempo), " 120bpm ");
    // Fewer pages after a relayout keep the index inside the document.
    doc().score().prefs.barsperline = 16;
    child->relayout();
    EXPECT_LT(view().currentPage(), view().pageCount());
}

TEST_F(View, ModesAndTheModePane) {
    EXPECT_EQ(view().viewMode(), ViewMode::Page);
    EXPECT_EQ(view().paneText(Pane::Mode), text(StringId::PageModeName));
    view().runCommand(Cmd::LayoutMode);
    EXPECT_EQ(view().viewMode(), ViewMode::Layout);
    EXPECT_EQ(view().paneText(Pane::Mode), text(StringId::LayoutModeName));
    EXPECT_TRUE(view().commandState(Cmd::LayoutMode)->checked);
    EXPECT_FALSE(view().commandState(Cmd::PageMode)->checked);
    view().runCommand(Cmd::GridLines);
    EXPECT_TRUE(view().gridShown());
}

TEST_F(View, WheelScrollsDownThePageAtMostOnePageAtATime) {
    view().setZoom(400);
    QScrollBar* bar = view().verticalScrollBar();
    bar->setValue(0);
    const int across = view().horizontalScrollBar()->value();
    QWheelEvent down(QPointF(50, 50), view().mapToGlobal(QPointF(50, 50)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view().viewport(), &down);
    EXPECT_GT(bar->value(), 0);
    EXPECT_LE(bar->value(), bar->pageStep());
    EXPECT_EQ(view().horizontalScrollBar()->value(), across);
}

void turnWheel(CKeystaveView& view, int delta, Qt::KeyboardModifiers modifiers = {}) {
    QWheelEvent wheel(QPointF(50, 50), view.mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
}

TEST_F(View, WheelPastTheEndOfAPageTurnsToTheNextAndBack) {
    view().setZoom(200);
    QScrollBar* bar = view().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    // A small turn at the bottom is not yet a page; a whole notch is.
    turnWheel(view(), -60);
    EXPECT_EQ(view().currentPage(), 0);
    turnWheel(view(), -60);
    EXPECT_EQ(view().currentPage(), 1);
    EXPECT_EQ(bar->value(), 0);
    // Up at the top of page 2: back to the bottom of page 1.
    turnWheel(view(), 120);
    EXPECT_EQ(view().currentPage(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    // Up at the top of the first page stays there.
    bar->setValue(0);
    turnWheel(view(), 120);
    turnWheel(view(), 120);
    EXPECT_EQ(view().currentPage(), 0);
    // In Layout mode the wheel only scrolls.
    view().runCommand(Cmd::LayoutMode);
    bar->setValue(bar->maximum());
    turnWheel(view(), -240);
    EXPECT_EQ(view().currentPage(), 0);
}

TEST_F(View, CtrlWheelZoomsWithinTheRange) {
    turnWheel(view(), 120, Qt::ControlModifier);
    EXPECT_EQ(view().zoom(), 110);
    turnWheel(view(), -240, Qt::ControlModifier);
    EXPECT_EQ(view().zoom(), 91);
    EXPECT_EQ(view().currentPage(), 0);
    struct Case {
        int zoom, delta, expected;
    };
    for (const Case c : {Case{1000, 120, 1000}, Case{10, -120, 10}, Case{10, 120, 11},
                         Case{11, -120, 10}, Case{100, 0, 100}})
        EXPECT_EQ(wheelZoom(c.zoom, c.delta), c.expected) << c.zoom << " " << c.delta;
}

TEST_F(View, UndoOfDisplaySettingsKeepsTheZoom) {
    {
        CDisplaySettingsDialog dialog(doc(), [&] { child->relayout(); });
        dialog.colourMode()->setCurrentIndex(1);
        dialog.accept();
    }
    // Zoomed after the step: the step's 100 % does not come back with it.
    view().runCommand(Cmd::ZoomFullPage);
    const int zoom = view().zoom();
    ASSERT_NE(zoom, 100);
    ASSERT_TRUE(doc().history().Undo());
    EXPECT_EQ(doc().score().prefs.colourmode, 4);
    EXPECT_EQ(view().zoom(), zoom);
    view().runCommand(Cmd::Zoom200);
    ASSERT_TRUE(doc().history().Redo());
    EXPECT_EQ(doc().score().prefs.colourmode, 0);
    EXPECT_EQ(view().zoom(), 200);
}

TEST_F(View, CustomZoomDialogRefusesOutOfRangeAndStaysOpen) {
    CZoomDialog dialog(100);
    dialog.show();
    dialog.edit()->setText("5");
    QTimer::singleShot(0, [] {
        // The refusal is a message box: close it.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QMessageBox") && w->isVisible()) w->close();
    });
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    dialog.edit()->setText("350");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.zoom(), 350);
}

TEST_F(View, DisplaySettingsPreviewThenCancelPutsEverythingBack) {
    const CDisplaySettings before = doc().score().prefs;
    const size_t linesBefore = doc().score().lines.size();
    const QSize portrait = view().scrollSize();
    int relayouts = 0;
    {
        CDisplaySettingsDialog dialog(doc(), [&] {
            ++relayouts;
            child->relayout();
        });
        ASSERT_EQ(doc().history().undoItems().size(), 1u);
        EXPECT_EQ(doc().history().undoItems().back().label, "Display Settings");
        dialog.musicSize()->setValue(60);
        EXPECT_EQ(doc().score().prefs.fontsize, 60);
        EXPECT_GT(relayouts, 0);
        dialog.landscape()->setChecked(true);
        EXPECT_EQ(view().scrollSize(), portrait.transposed());
        dialog.subtitleBox()->setChecked(true);
        EXPECT_TRUE(dialog.titleBox()->isChecked());
        dialog.titleBox()->setChecked(false);
        EXPECT_FALSE(dialog.subtitleBox()->isChecked());
        EXPECT_FALSE(doc().score().prefs.showsubtitle);
        EXPECT_TRUE(
            dialog.linesLabel()->text().startsWith("Approximate number of Lines per Page = "));
        dialog.reject();
    }
    EXPECT_EQ(doc().score().prefs, before);
    EXPECT_EQ(view().scrollSize(), portrait);
    EXPECT_EQ(doc().score().lines.size(), linesBefore);
}

TEST_F(View, DisplaySettingsOkKeepsAChangeAndDropsAnEmptyStep) {
    {
        CDisplaySettingsDialog dialog(doc(), [&] { child->relayout(); });
        dialog.accept();
    }
    EXPECT_TRUE(doc().history().undoItems().empty());
    {
        CDisplaySettingsDialog dialog(doc(), [&] { child->relayout(); });
        dialog.colourMode()->setCurrentIndex(1);  // "Black & White"
        dialog.accept();
    }
    EXPECT_EQ(doc().score().prefs.colourmode, 0);
    ASSERT_EQ(doc().history().undoItems().size(), 1u);
    doc().history().Undo();
    EXPECT_EQ(doc().score().prefs.colourmode, 4);
}

}  // namespace

namespace {

TEST_F(View, LayoutModeCommandsActOnTheClickedLine) {
    EXPECT_FALSE(child->commandState(Cmd::LayoutIncreaseBars)->enabled);  // Page mode
    view().runCommand(Cmd::LayoutMode);
    ASSERT_TRUE(child->commandState(Cmd::LayoutIncreaseBars)->enabled);
    const CScore& score = doc().score();
    ASSERT_GT(score.lines.size(), 3u);
    ASSERT_EQ(score.lines[1].page, 0);
    const int y = score.lines[1].staveTop / 10 + 1;  // 100%, top of the page at the top
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(view().viewport()->width() / 2, y));
    EXPECT_EQ(score.selection.layoutindex, 1);
    const int before = score.lines[1].barsInLine;
    child->runCommand(Cmd::LayoutIncreaseBars);
    EXPECT_EQ(score.lines[1].barsInLine, before + 1);
    ASSERT_EQ(doc().history().undoItems().size(), 1u);
    EXPECT_EQ(doc().history().undoItems().back().label, "Change Bars per Line");
}

}  // namespace
