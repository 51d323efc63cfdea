// What a new user meets first: every sample opens and the Open dialog offers every kind
// of file the editor reads; the frame's title follows the documents; an imported file
// is saved as a ".ksv" under a name that says so; web pages need a browser and, on the
// first start, a site that answers (a small HTTP server of the test's own on 127.0.0.1).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "SiteServer.h"
#include "TestPaths.h"
#include "app/AppTextIds.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/CustomColoursDialog.h"
#include "app/DialogTitles.h"
#include "app/MainFrame.h"
#include "app/MidiFileDialogs.h"
#include "app/OpenFilter.h"
#include "app/SmallDialogs.h"
#include "edit/ScoreTextIds.h"
#include "interchange/MidiFile.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "render/ColourScheme.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageTextIds.h"
#include "tests/app/ShellFixture.h"

using namespace ks;
using namespace ks::test;

namespace {

class FirstUse : public Shell {
  protected:
    QString copyOf(const QString& sample) {
        const QString path = tempFile(QFileInfo(sample).fileName());
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(sample, path));
        return path;
    }
    QString writeMidi(const QString& name) {
        CMidiFile file;
        file.division = 96;
        CMidiTrack track;
        track.AddNote(0, 60, 80, 96);
        track.AddNote(96, 64, 80, 96);
        file.tracks = {track};
        const QString path = tempFile(name);
        EXPECT_TRUE(file.Write(path).ok);
        return path;
    }
};

const QString kSamples = QStringLiteral(KS_SOURCE_DIR "/resources/samples");

TEST_F(FirstUse, EverySampleOpens) {
    start();
    const QStringList samples = QDir(kSamples).entryList(QDir::Files);
    ASSERT_GE(samples.size(), 3);
    for (const QString& name : samples) {
        CChildFrame* child = app->openDocumentFile(QDir(kSamples).filePath(name));
        ASSERT_NE(child, nullptr) << name.toStdString();
        EXPECT_EQ(child->document().title(), name);
        EXPECT_FALSE(child->document().score().pages.empty()) << name.toStdString();
        EXPECT_GT(child->document().score().trackCount(), 0) << name.toStdString();
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts.join(" | ").toStdString();
    EXPECT_EQ(app->frame()->activeChild()->document().title(), samples.back());
}

TEST_F(FirstUse, BareDocumentsOpenByTheirRootWhateverTheirName) {
    start();
    const QString renamed = tempFile("ode.score");
    QFile::remove(renamed);
    ASSERT_TRUE(QFile::copy(kSamples + "/ode-to-joy.xml", renamed));
    CChildFrame* child = app->openDocumentFile(renamed);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->document().score().title, "Ode to Joy");
    EXPECT_TRUE(child->document().isModified());  // it is saved as a ".ksv"

    // XML of another kind is refused with a message.
    QFile other(tempFile("other.xml"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("<?xml version=\"1.0\"?>\n<!-- a comment -->\n<playlist><item/></playlist>\n");
    other.close();
    EXPECT_EQ(app->openDocumentFile(other.fileName()), nullptr);
    EXPECT_EQ(count(StringId::InvalidFileType), 1);
}

TEST_F(FirstUse, OpenDialogOffersEveryKindOfFile) {
    start();
    programSettings()->setValue("LastFileType", "all");
    app->frame()->routeCommand(Cmd::FileOpen);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    const QList<FilterEntry> entries = parseFilterText(ui.openRequests[0].filter);
    ASSERT_GE(entries.size(), 5);
    // The program's own entries keep their texts and places.
    EXPECT_EQ(entries[0].description, "All Music Files (*.ksv, *.mid, *.smf)");
    for (const char* pattern : {"*.ksv", "*.mid", "*.smf", "*.tpm", "*.xml"})
        EXPECT_TRUE(entries[0].patterns.contains(pattern)) << pattern;
    EXPECT_TRUE(entries[1].patterns.contains("*.tpm"));
    EXPECT_EQ(entries[2].description, "Standard MIDI Files (*.mid, *.smf)");
    EXPECT_EQ(entries.back().description, "All Files (*.*)");
    EXPECT_EQ(ui.openRequests[0].filterIndex, entries.size());  // "all" is the last entry

    // A sample chosen through "All Files" opens, and the choice is remembered as "all".
    ui.openAnswer = OpenFileAnswer{kSamples + "/ode-to-joy.xml", int(entries.size())};
    app->frame()->routeCommand(Cmd::FileOpen);
    EXPECT_EQ(app->documentCount(), 2);
    EXPECT_EQ(programSettings()->value("LastFileType").toString(), "all");
}

TEST_F(FirstUse, FrameTitleFollowsTheActiveDocument) {
    start();
    CMainFrame& frame = *app->frame();
    frame.show();  // a maximised window behaves as on the screen
    const std::string base = "Halvern Keystaves 4.0.0 - ";
    auto title = [&frame] {
        QTest::qWait(10);
        return frame.windowTitle().remove("[*]").toStdString();
    };
    EXPECT_EQ(title(), base + "Untitled");
    CChildFrame* minuet = app->openDocumentFile(kSamples + "/minuet-in-g.ksv");
    ASSERT_NE(minuet, nullptr);
    EXPECT_EQ(title(), base + "minuet-in-g.ksv");
    CChildFrame* twinkle = app->openDocumentFile(kSamples + "/twinkle-twinkle.ksv");
    ASSERT_NE(twinkle, nullptr);
    EXPECT_EQ(title(), base + "twinkle-twinkle.ksv");
    frame.mdiArea()->setActiveSubWindow(minuet);
    EXPECT_EQ(title(), base + "minuet-in-g.ksv");
    minuet->close();
    EXPECT_EQ(title().find("minuet"), std::string::npos);
    EXPECT_EQ(title().rfind(base, 0), 0u);
    for (CChildFrame* child : frame.children())
        child->close();
    EXPECT_EQ(title(), "Halvern Keystaves 4.0.0");
    frame.hide();
}

TEST_F(FirstUse, AnImportedFileIsSavedAsAKeystavesFileBesideIt) {
    start();
    CMainFrame& frame = *app->frame();
    const QString midi = writeMidi("input3.mid");
    const QString ksv = tempFile("input3.ksv");
    QFile::remove(ksv);
    ASSERT_NE(app->openDocumentFile(midi), nullptr);

    // Save As proposes the document's name as a ".ksv".
    frame.routeCommand(Cmd::FileSaveAs);
    ASSERT_EQ(ui.saveProposals.size(), 1);
    EXPECT_EQ(ui.saveProposals[0], ksv);

    // Save writes the ".ksv" beside it and says where.
    frame.routeCommand(Cmd::FileSave);
    EXPECT_TRUE(QFileInfo(ksv).isFile());
    EXPECT_EQ(ui.statuses.last(), formatText(text(StringId::SavedAs), {ksv}));
    EXPECT_EQ(frame.activeChild()->document().pathName(), ksv);
    EXPECT_EQ(ui.saveProposals.size(), 1);

    // With a ".ksv" of that name there already, Save asks as Save As does.
    ASSERT_NE(app->openDocumentFile(midi), nullptr);
    frame.routeCommand(Cmd::FileSave);
    ASSERT_EQ(ui.saveProposals.size(), 2);
    EXPECT_EQ(ui.saveProposals[1], ksv);

    // A new document proposes its title.
    app->newDocument();
    frame.routeCommand(Cmd::FileSaveAs);
    EXPECT_EQ(ui.saveProposals.last(), "Untitled.ksv");
}

// The welcome page at first start: asked of the reference site over HTTPS, opened only
// when a browser can show it and the site answers; plain-text addresses are never asked.
TEST_F(FirstUse, FirstStartOpensTheWelcomePageOnlyWhenTheSiteAnswers) {
    test::SiteServer site;
    ASSERT_TRUE(site.running()) << site.why().toStdString();
    qputenv("KEYSTAVES_CA_FILE", site.caFile().toLocal8Bit());
    const QString page = site.base() + "page/thanksforinstalling";
    auto asked = [&] { return site.requests().count("GET /page/thanksforinstalling"); };
    struct Case {
        int status;  // 0: the page as the site serves it
        bool browser;
        bool opened;
    };
    int requests = 0;
    for (const Case c : {Case{0, true, true}, Case{404, true, false}, Case{0, false, false}}) {
        if (c.status) site.put("page/thanksforinstalling.status", QByteArray::number(c.status));
        programSettings()->remove("FirstRun");
        programSettings()->setValue("SiteAddress", site.base());
        ui.browser = c.browser;
        ui.opened.clear();
        start();
        QTRY_VERIFY_WITH_TIMEOUT(!app->welcomePageCheckPending(), 15000);
        if (c.browser) ++requests;
        EXPECT_EQ(asked(), requests) << c.status;
        ASSERT_EQ(ui.opened.size(), c.opened ? 1 : 0) << c.status;
        if (c.opened) {
            EXPECT_EQ(ui.opened[0], page);
        }
        EXPECT_TRUE(ui.messages.empty());  // never a word about it
        // Only the first start asks.
        app.reset();
        start();
        EXPECT_FALSE(app->welcomePageCheckPending());
        app.reset();
        QFile::remove(site.root() + "/page/thanksforinstalling.status");
    }
    // A site that is not there at all, and one named by a plain-text address.
    for (const char* address : {"https://127.0.0.1:1/", "http://127.0.0.1:1/"}) {
        programSettings()->remove("FirstRun");
        programSettings()->setValue("SiteAddress", address);
        ui.browser = true;
        ui.opened.clear();
        start();
        QTRY_VERIFY_WITH_TIMEOUT(!app->welcomePageCheckPending(), 15000);
        EXPECT_TRUE(ui.opened.isEmpty()) << address;
        app.reset();
    }
    qunsetenv("KEYSTAVES_CA_FILE");
}

TEST_F(FirstUse, WebCommandsWithoutABrowserSaySo) {
    start();
    ui.browser = false;
    for (int id : {Cmd::VisitWebsite, Cmd::Library, Cmd::Feedback}) {
        ui.messageTexts.clear();
        ASSERT_TRUE(app->frame()->routeCommand(id)) << id;
        ASSERT_EQ(ui.messageTexts.size(), 1) << id;
        EXPECT_TRUE(ui.messageTexts[0].contains(sitePage(*programSettings(), {}))) << id;
    }
    EXPECT_EQ(count(StringId::NoWebBrowser), 3);
    ui.browser = true;
    app->frame()->routeCommand(Cmd::Library);
    EXPECT_TRUE(ui.opened.last().endsWith("page/library"));
}

TEST_F(FirstUse, CustomColoursStartFromTheBuiltInPalette) {
    start();
    QTemporaryDir folder;
    resetActivePalette();
    {
        CCustomColoursDialog dialog(ui, folder.path(), folder.path(), {});
        Palette shown;
        ASSERT_TRUE(parseColourText(dialog.edit()->toPlainText(), shown));
        EXPECT_EQ(shown, builtInPalette());
        EXPECT_FALSE(dialog.builtInNote()->isHidden());
        dialog.saveAndClose();
    }
    EXPECT_TRUE(ui.messages.empty());
    // Once written, the file is what the dialog shows.
    QFile file(folder.filePath("colours.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromLatin1(file.readAll());
    CCustomColoursDialog again(ui, folder.path(), folder.path(), {});
    EXPECT_EQ(again.edit()->toPlainText(), written);
    EXPECT_TRUE(again.builtInNote()->isHidden());
    resetActivePalette();
}

TEST_F(FirstUse, DialogsAreWideEnoughForTheirTitles) {
    start();
    CInternetSettingsDialog settings(app->frame());
    settings.show();
    EXPECT_GE(settings.width(), widthForTitle(settings));
    settings.close();
    // Message boxes fix their own size; the title still fits.
    QMessageBox box(QMessageBox::Information, "Halvern Keystaves", "x", QMessageBox::Ok);
    box.show();
    EXPECT_GE(box.width(), widthForTitle(box));
    box.close();
}

TEST_F(FirstUse, CancelInTheMidiImportOptionsLeavesNothingOpen) {
    start();
    const QString midi = writeMidi("cancelled.mid");
    ui.importOptions = std::nullopt;
    EXPECT_EQ(app->openDocumentFile(midi), nullptr);
    EXPECT_EQ(app->documentCount(), 1);
    EXPECT_EQ(ui.importOptionsAsked, 1);
    EXPECT_FALSE(app->recentFiles().paths().contains(QFileInfo(midi).absoluteFilePath()));
    // The dialog itself has the button.
    CMidiFileDlg dialog(MidiImportOptions{});
    QPushButton* cancel = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text(StringId::Cancel)) cancel = button;
    ASSERT_NE(cancel, nullptr);
    dialog.show();
    cancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace

namespace {

QCheckBox* boxLabelled(QWidget& dialog, const QString& label) {
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if (box->text() == label) return box;
    return nullptr;
}

// The "Split into hands" choice: offered and ticked for a file of one note track, greyed
// for others, and what the user leaves ticked is what the import is asked to do.
TEST_F(FirstUse, SplitIntoHandsIsOfferedOnlyForOneNoteTrack) {
    const QString label = text(StringId::MidiImportSplitHands);
    {
        CMidiFileDlg dialog(MidiImportOptions{.splitHands = true, .canSplitHands = true});
        QCheckBox* split = boxLabelled(dialog, label);
        ASSERT_NE(split, nullptr);
        dialog.show();
        EXPECT_TRUE(split->isEnabled());
        EXPECT_TRUE(split->isChecked());
        EXPECT_TRUE(dialog.options().splitHands);
        split->click();
        EXPECT_FALSE(dialog.options().splitHands);
        EXPECT_TRUE(dialog.options().canSplitHands);
    }
    {
        CMidiFileDlg dialog(MidiImportOptions{.splitHands = true, .canSplitHands = false});
        QCheckBox* split = boxLabelled(dialog, label);
        ASSERT_NE(split, nullptr);
        EXPECT_FALSE(split->isEnabled());
        EXPECT_FALSE(dialog.options().splitHands);
    }
}

}  // namespace
