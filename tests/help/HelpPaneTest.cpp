// The help pane in the running editor: F1, the Help menu's commands, context pages of
// the modes and dialogs with dynamic help on and off, and the search window.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTest>
#include <QTextBrowser>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpSearchDialog.h"
#include "app/help/HelpSystem.h"
#include "model/Selection.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/ShellFixture.h"

namespace ks::test {
namespace {

class HelpPane : public Shell {
  protected:
    HelpSystem& help() { return *app->help(); }
    QString shownPage() { return help().pane() ? help().pane()->pageName() : QString(); }
};

TEST_F(HelpPane, F1ShowsThePageOfTheModeAndDynamicHelpFollowsModes) {
    start();
    CMainFrame& frame = *app->frame();
    EXPECT_EQ(frame.action(Cmd::HelpIndex)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(help().paneShown());
    frame.activeView()->setViewMode(ViewMode::Music);
    EXPECT_TRUE(frame.routeCommand(Cmd::HelpIndex));
    EXPECT_EQ(shownPage(), QStringLiteral("MUSICMODE.HTM"));
    EXPECT_FALSE(help().pane()->browser()->toPlainText().isEmpty());

    frame.activeView()->setViewMode(ViewMode::Layout);
    EXPECT_EQ(shownPage(), QStringLiteral("LAYOUTMODE.HTM"));

    // Dynamic help off: the pane stays, F1 still goes to what the user is doing.
    EXPECT_TRUE(frame.routeCommand(Cmd::DynamicHelp));
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(Cmd::DynamicHelp)->isChecked());
    frame.activeView()->setViewMode(ViewMode::Page);
    EXPECT_EQ(shownPage(), QStringLiteral("LAYOUTMODE.HTM"));
    frame.routeCommand(Cmd::HelpIndex);
    EXPECT_EQ(shownPage(), QStringLiteral("PAGEMODE.HTM"));
    // On again: the dynamic help page.
    frame.routeCommand(Cmd::DynamicHelp);
    EXPECT_EQ(shownPage(), QStringLiteral("DYNAMICHELP.HTM"));
}

TEST_F(HelpPane, EditingModesOfMusicModeTurnThePage) {
    start();
    CMainFrame& frame = *app->frame();
    frame.activeView()->setViewMode(ViewMode::Music);
    help().showPane();
    CSelection& selection = frame.activeChild()->document().score().selection;
    selection.mode = EditMode::Lyric;
    frame.updateCommandStates();
    EXPECT_EQ(shownPage(), QStringLiteral("LYRICMODE.HTM"));
    selection.mode = EditMode::Notes;
    frame.updateCommandStates();
    EXPECT_EQ(shownPage(), QStringLiteral("EDITINGNOTES.HTM"));
}

TEST_F(HelpPane, DialogsShowTheirPageAndRestoreThePreviousOne) {
    start();
    app->frame()->activeView()->setViewMode(ViewMode::Music);
    QPrinter printer;
    QPrintPreviewDialog preview(&printer);
    preview.show();
    // F1 on any control of the dialog opens the pane on the dialog's page.
    EXPECT_FALSE(help().paneShown());
    QWidget* control = preview.findChildren<QWidget*>().value(0);
    ASSERT_TRUE(control);
    QTest::keyClick(control, Qt::Key_F1);
    EXPECT_TRUE(help().paneShown());
    EXPECT_EQ(shownPage(), QStringLiteral("PRINTPREVIEW.HTM"));
    preview.hide();
    EXPECT_EQ(shownPage(), QStringLiteral("MUSICMODE.HTM"));
    QDialog plain;
    plain.show();
    EXPECT_EQ(shownPage(), QStringLiteral("MUSICMODE.HTM"));
}

TEST_F(HelpPane, SearchListsTitlesAndOpensTheChosenPage) {
    start();
    EXPECT_TRUE(app->frame()->routeCommand(Cmd::HelpSearch));
    EXPECT_EQ(shownPage(), QStringLiteral("HELPSEARCH.HTM"));
    CHelpSearchDialog* search = help().searchWindow();
    ASSERT_TRUE(search);
    search->searchText()->setText("nothing-like-this");
    search->search();
    ASSERT_EQ(search->results()->count(), 1);
    EXPECT_EQ(search->results()->item(0)->text(), QStringLiteral("No Pages Found"));
    search->searchText()->setText("Volta repeat");
    search->search();
    ASSERT_GE(search->results()->count(), 1);
    EXPECT_EQ(search->results()->item(0)->text(), QStringLiteral("Repeats and volta marks"));
    emit search->results()->itemActivated(search->results()->item(0));
    EXPECT_EQ(shownPage(), QStringLiteral("VOLTAMARKS.HTM"));
}

TEST_F(HelpPane, ShownFlagIsStoredAtExitAndRestoredAtStart) {
    start();
    help().showPane();
    app->shutdown();
    EXPECT_EQ(programSettings()->value("ShowHelp").toString(), QStringLiteral("true"));
    app.reset();
    start();
    EXPECT_TRUE(help().pane() && !help().pane()->isHidden());
}

}  // namespace
}  // namespace ks::test
