// The application and its commands: start-up, the document limits, the Open dialog,
// the settings commands, the feedback prompt.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <QUuid>

#include "app/AppSettings.h"
#include "app/AppTextIds.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/DefaultSettings.h"
#include "app/KeystaveApp.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "playback/RecordingDevice.h"
#include "storage/AppPaths.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/ShellFixture.h"
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

TEST_F(Shell, StartsWithOneNewDocumentAndTheVersionInTheTitle) {
    start();
    EXPECT_EQ(app->documentCount(), 1);
    EXPECT_TRUE(app->frame()->windowTitle().startsWith("Halvern Keystaves 4.0.0"));
    EXPECT_FALSE(app->frame()->activeChild()->document().isModified());
}

TEST_F(Shell, FileThatCannotBeOpenedLeavesANewDocument) {
    QFile bad(tempFile("broken.ksv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a zip");
    bad.close();
    start({bad.fileName()});
    EXPECT_EQ(app->documentCount(), 1);
    EXPECT_EQ(count(StringId::ErrorLoadingFile), 1);
    EXPECT_TRUE(app->frame()->activeChild()->document().pathName().isEmpty());
}

TEST_F(Shell, NewAndOpenRefuseAtTwentyFiveDocuments) {
    start();
    ui.openAnswer = OpenFileAnswer{tempFile("never.ksv"), 2};
    while (app->documentCount() < CKeystaveApp::kMaxDocuments)
        ASSERT_NE(app->newDocument(), nullptr);
    EXPECT_EQ(app->newDocument(), nullptr);
    EXPECT_EQ(count(StringId::TooManyFilesNew), 1);
    EXPECT_TRUE(app->frame()->routeCommand(Cmd::FileOpen));
    EXPECT_EQ(count(StringId::TooManyFilesOpen), 1);
    EXPECT_TRUE(ui.openRequests.empty());  // the dialog never opened
    EXPECT_EQ(app->documentCount(), CKeystaveApp::kMaxDocuments);
    // Closing one makes room again.
    app->frame()->activeChild()->close();
    QTest::qWait(10);
    EXPECT_NE(app->newDocument(), nullptr);
}

TEST_F(Shell, OpenDialogStartsOnTheLastFilterAndRemembersTheNewOne) {
    start();
    CChildFrame* child = app->frame()->activeChild();
    const QString path = tempFile("opened.ksv");
    ASSERT_TRUE(child->document().save(path));
    child->close();
    QTest::qWait(10);

    programSettings()->setValue("LastFileType", "tpm");
    ui.openAnswer = OpenFileAnswer{path, 3};
    app->frame()->routeCommand(Cmd::FileOpen);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].filterIndex, 2);
    EXPECT_EQ(ui.openRequests[0].defaultExtension, "tpm");
    EXPECT_EQ(ui.openRequests[0].title, "Open File...");
    EXPECT_EQ(app->documentCount(), 1);
    EXPECT_EQ(programSettings()->value("LastFileType").toString(), "ksv");
    EXPECT_TRUE(app->recentFiles().paths().front().endsWith("opened.ksv"));

    // A file that does not open leaves the setting alone.
    ui.openAnswer = OpenFileAnswer{tempFile("missing.ksv"), 4};
    app->frame()->routeCommand(Cmd::FileOpen);
    EXPECT_EQ(programSettings()->value("LastFileType").toString(), "ksv");
}

TEST_F(Shell, SettingsCommandsUseSaveAndRemoveTheDefaults) {
    start();
    CMainFrame& frame = *app->frame();
    CKeystaveDoc& doc = frame.activeChild()->document();
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(Cmd::RemoveSavedSettings)->isEnabled());

    doc.score().prefs.fontsize = 80;
    ui.answers = {false};
    frame.routeCommand(Cmd::SaveSettingsAsDefault);
    EXPECT_FALSE(defaultSettingsExist());  // answered No
    frame.routeCommand(Cmd::SaveSettingsAsDefault);
    EXPECT_TRUE(defaultSettingsExist());
    frame.updateCommandStates();
    EXPECT_TRUE(frame.action(Cmd::RemoveSavedSettings)->isEnabled());

    // A new document starts with the saved settings.
    CChildFrame* second = app->newDocument();
    EXPECT_EQ(second->document().score().prefs.fontsize, 80);

    // "Use default settings" on a changed document, as one undo step.
    doc.score().prefs.fontsize = 150;
    doc.score().midi.tempo = 95;
    frame.mdiArea()->setActiveSubWindow(frame.children().front());
    second->close();
    QTest::qWait(10);
    ASSERT_EQ(&frame.activeChild()->document(), &doc);
    frame.routeCommand(Cmd::UseDefaultSettings);
    EXPECT_EQ(ui.questionTexts.back(), "Apply Default Settings ?");
    EXPECT_EQ(doc.score().prefs.fontsize, 80);
    EXPECT_EQ(doc.score().midi.tempo, 95);
    ASSERT_FALSE(doc.history().undoItems().empty());
    EXPECT_EQ(doc.history().undoItems().back().label, "Apply Default Settings");
    frame.routeCommand(Cmd::EditUndo);
    EXPECT_EQ(doc.score().prefs.fontsize, 150);

    frame.routeCommand(Cmd::RemoveSavedSettings);
    EXPECT_FALSE(defaultSettingsExist());
    EXPECT_EQ(count(StringId::SavedSettingsRemoved), 1);
}

TEST_F(Shell, PaperColourIsOneUndoStepForPaperAndMargin) {
    start();
    CMainFrame& frame = *app->frame();
    CKeystaveDoc& doc = frame.activeChild()->document();
    ui.colour = QColor(255, 240, 200);
    ASSERT_TRUE(frame.routeCommand(Cmd::PaperColour));
    EXPECT_EQ(doc.score().prefs.paper, 0xC8F0FF);  // red in the low byte
    EXPECT_EQ(doc.score().prefs.margin, 0xC8F0FF);
    EXPECT_EQ(doc.history().undoItems().back().label, "Set Paper Colour");
    // Only Page mode offers it.
    frame.routeCommand(Cmd::LayoutMode);
    EXPECT_FALSE(frame.routeCommand(Cmd::PaperColour));
}

TEST_F(Shell, LaterIssuesCommandsAreVisibleButDisabled) {
    start();
    CMainFrame& frame = *app->frame();
    frame.updateCommandStates();
    for (int id : {Cmd::EditPaste}) {
        ASSERT_NE(frame.action(id), nullptr) << id;
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
        EXPECT_FALSE(frame.routeCommand(id)) << id;
    }
    for (int id :
         {Cmd::FileNew, Cmd::FileSave, Cmd::Zoom200, Cmd::DisplaySettings, Cmd::ImportMidi,
          Cmd::ExportMidi, Cmd::FilePrint, Cmd::FilePrintPreview, Cmd::FilePrintSetup,
          Cmd::AlignPrinter, Cmd::ExportPdf, Cmd::ExportVectorPdf, Cmd::ExportBitmaps, Cmd::Play,
          Cmd::Rewind, Cmd::MidiSettings, Cmd::MusicMode, Cmd::TrackSelectMode, Cmd::GoToBar,
          Cmd::CheckForUpdates, Cmd::HelpIndex, Cmd::HelpSearch, Cmd::DynamicHelp})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
}

TEST_F(Shell, FeedbackPromptComesSixtyDaysAfterTheLast) {
    const int64_t now = 1'800'000'000;
    programSettings()->setValue("FeedbackLast", QString::number(now - 10 * 86400));
    start({}, now);
    EXPECT_EQ(ui.feedbackAsked, 0);
    app.reset();
    programSettings()->setValue("FeedbackLast", QString::number(now - 61 * 86400));
    ui.feedbackAnswer = true;
    start({}, now);
    EXPECT_EQ(ui.feedbackAsked, 1);
    EXPECT_EQ(programSettings()->value("FeedbackLast").toString(), QString::number(now));
    ASSERT_FALSE(ui.opened.isEmpty());
    EXPECT_TRUE(ui.opened.back().endsWith("page/givefeedback"));
}

TEST_F(Shell, SaveAndReopenKeepsTheSettings) {
    start();
    CMainFrame& frame = *app->frame();
    CChildFrame* child = frame.activeChild();
    child->document().score().prefs.barsperline = 5;
    child->document().MarkModified();
    ui.savePath = tempFile("reopen");  // no extension: saved as ".ksv"
    frame.routeCommand(Cmd::FileSave);
    EXPECT_TRUE(child->document().pathName().endsWith("reopen.ksv"));
    EXPECT_FALSE(child->document().isModified());
    child->close();
    QTest::qWait(10);
    CChildFrame* reopened = app->openDocumentFile(tempFile("reopen.ksv"));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->document().score().prefs.barsperline, 5);
    // Opening it again brings the same window forward.
    EXPECT_EQ(app->openDocumentFile(tempFile("reopen.ksv")), reopened);
    EXPECT_EQ(app->documentCount(), 1);
}

}  // namespace

namespace {

TEST_F(Shell, DroppedFilesOpenAsDocuments) {
    start();
    CChildFrame* child = app->frame()->activeChild();
    ASSERT_TRUE(child->document().save(tempFile("dropped.ksv")));
    ASSERT_TRUE(child->document().save(tempFile("second.ksv")));
    child->close();
    QTest::qWait(10);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(tempFile("dropped.ksv")),
                  QUrl::fromLocalFile(tempFile("second.ksv")), QUrl("https://example.org/x.ksv")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app->frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app->frame(), &drop);
    EXPECT_EQ(app->documentCount(), 2);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace

namespace {

TEST_F(Shell, MidiExportThenImportAsANewDocument) {
    start({QStringLiteral(KS_SOURCE_DIR "/resources/samples/minuet-in-g.ksv")});
    CMainFrame& frame = *app->frame();
    ASSERT_EQ(app->documentCount(), 1);
    ui.exportPath = tempFile("minuet.mid");
    ASSERT_TRUE(frame.routeCommand(Cmd::ExportMidi));
    ASSERT_EQ(ui.exportRequests.size(), 1);
    EXPECT_TRUE(ui.exportRequests[0].contains("minuet-in-g.mid|Standard MIDI Files"));
    ASSERT_TRUE(QFileInfo(ui.exportPath).size() > 0);

    // Import is not limited by the open documents, and asks for the clean-ups once.
    ui.openAnswer = OpenFileAnswer{ui.exportPath, 1};
    ASSERT_TRUE(frame.routeCommand(Cmd::ImportMidi));
    ASSERT_EQ(app->documentCount(), 2);
    EXPECT_EQ(ui.importOptionsAsked, 1);
    CKeystaveDoc& imported = frame.activeChild()->document();
    EXPECT_TRUE(imported.isModified());
    EXPECT_GT(imported.score().tracks.size(), 0u);
    EXPECT_FALSE(imported.score().pages.empty());
}

}  // namespace
