// Upload to the Library and Review in the Library, against the reference site: the
// refusals and questions, a full upload that the site registers, the wait dialog's three
// endings, and web access switched off.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include "SiteServer.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/OnlineTextIds.h"
#include "app/UploadWaitDialog.h"
#include "app/online/HttpsClient.h"
#include "app/online/UpdateCheck.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/ShellFixture.h"

namespace ks {
namespace {

class UploadShell : public test::Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        ASSERT_TRUE(site.running()) << site.why().toStdString();
        qputenv("KEYSTAVES_CA_FILE", site.caFile().toLocal8Bit());
        programSettings()->setValue("SiteAddress", site.base());
    }
    void TearDown() override {
        Shell::TearDown();
        qunsetenv("KEYSTAVES_CA_FILE");
    }
    // A new document with `notes` notes in the right hand, saved unless told otherwise.
    CChildFrame* piece(const QString& title, int notes, bool saved = true) {
        start();
        CChildFrame* child = app->newDocument();
        CScore& score = child->document().score();
        score.title = title;
        for (int i = 0; i < notes; ++i)
            score.tracks[0].addNote({.time = 96 * i, .duration = 96, .pitch = 60 + i});
        child->relayout();
        if (saved) EXPECT_TRUE(child->document().save(tempFile("minuet.ksv")));
        return child;
    }
    // The upload with a wait dialog that asks every 50 ms. With `submit` the user's
    // browser sends the registration page it was given while the dialog waits.
    void upload(CChildFrame* child, bool submit = true, bool cancel = false) {
        child->uploadWait = [this, submit, cancel](const QString& address) {
            waitAddress = address;
            CUploadWaitDialog dialog(ui, address, 50);
            QTimer::singleShot(100, &dialog, [&] {
                if (submit && !ui.opened.isEmpty()) HttpsClient().get(ui.opened.last(), TransferLimits{});
                if (cancel) {
                    QTest::keyClick(&dialog, Qt::Key_Escape);  // ignored
                    QTimer::singleShot(300, &dialog, [&] { dialog.reject(); });
                }
            });
            QTimer::singleShot(20000, &dialog, [&] { dialog.reject(); });  // never hangs
            ending = dialog.exec();
            return ending;
        };
        child->runCommand(Cmd::UploadToLibrary);
    }
    QStringList uploads() const {
        return QDir(site.root() + "/uploads").entryList(QDir::Files, QDir::Name);
    }

    test::SiteServer site;
    QString waitAddress;
    int ending = -1;
};

TEST_F(UploadShell, RefusesUntitledShortAndUnsavedPieces) {
    struct Case {
        QString title;
        int notes;
        bool saved;
        int message;
    } cases[] = {
        {"Untitled", 20, true, OnlineText::NotUploadable},
        {"", 20, true, OnlineText::NotUploadable},
        {"Minuet", 5, true, OnlineText::NotUploadable},
    };
    for (const Case& c : cases) {
        CChildFrame* child = piece(c.title, c.notes, c.saved);
        child->runCommand(Cmd::UploadToLibrary);
        EXPECT_EQ(ui.messages.back(), c.message) << c.title.toStdString() << c.notes;
        app.reset();
    }
    // Unsaved, and the user declines to save.
    CChildFrame* child = piece("Minuet", 20, false);
    ui.answers = {false};
    child->runCommand(Cmd::UploadToLibrary);
    EXPECT_EQ(ui.questions.back(), OnlineText::SaveBeforeUpload);
    EXPECT_TRUE(site.requests().isEmpty());
}

TEST_F(UploadShell, ResubmitDeclinedSendsNothing) {
    CChildFrame* child = piece("Minuet", 6);
    child->document().score().filehash = "0123456789ABCDEF0123456789ABCDEF";
    ui.answers = {false};
    child->runCommand(Cmd::UploadToLibrary);
    EXPECT_EQ(ui.questions, std::vector<int>{OnlineText::Resubmit});
    EXPECT_TRUE(site.requests().isEmpty());
}

TEST_F(UploadShell, FullUploadIsRegistered) {
    CChildFrame* child = piece("Minuet & Trio", 6);
    upload(child);
    EXPECT_EQ(ending, CUploadWaitDialog::Registered);
    const CScore& score = child->document().score();
    ASSERT_EQ(score.filehash.size(), 32);
    // Three files under one name, the registration page, then the questions.
    const QStringList files = uploads();
    ASSERT_EQ(files.size(), 3);
    const QString name = QFileInfo(files[0]).completeBaseName();
    EXPECT_EQ(files, (QStringList{name + ".ksv", name + ".mid", name + ".pdf"}));
    ASSERT_FALSE(ui.opened.isEmpty());
    const QString registration = ui.opened.last();
    EXPECT_TRUE(registration.startsWith(site.base() + "page/files?title=Minuet%20%26amp%3B%20Trio&"))
        << registration.toStdString();
    EXPECT_TRUE(registration.contains("&tmpfile=" + name + "&"));
    EXPECT_TRUE(registration.endsWith("&hash=" + score.filehash));
    EXPECT_TRUE(waitAddress.endsWith("getfileid?hash=" + score.filehash));
    EXPECT_TRUE(ui.statuses.contains(text(OnlineText::UploadComplete)));
    // The hash was saved with the document; the temporary files are gone.
    EXPECT_FALSE(child->document().isModified());
    EXPECT_TRUE(QDir(tempFolder()).entryList({name + ".*"}).isEmpty());
    for (const QString& line : site.requests())
        EXPECT_TRUE(line.startsWith("POST /upload?") || line.startsWith("GET /page/files?") ||
                    line.startsWith("GET /getfileid?"))
            << line.toStdString();
}

TEST_F(UploadShell, CancelledWaitClearsTheHash) {
    CChildFrame* child = piece("Minuet", 6);
    upload(child, false, true);  // the site keeps answering "not yet"
    EXPECT_EQ(ending, CUploadWaitDialog::Cancelled);
    EXPECT_TRUE(child->document().score().filehash.isEmpty());
    EXPECT_TRUE(ui.statuses.contains(text(OnlineText::UploadCancelled)));
    EXPECT_GE(site.requests().filter("GET /getfileid?").size(), 2);
}

TEST_F(UploadShell, FailedFetchEndsTheWaitAsFailed) {
    CChildFrame* child = piece("Minuet", 6);
    site.put("getfileid.status", "500");
    upload(child, false);
    EXPECT_EQ(ending, CUploadWaitDialog::Failed);
    EXPECT_TRUE(child->document().score().filehash.isEmpty());
    EXPECT_TRUE(ui.statuses.contains(text(OnlineText::ErrorReadingPage)));
}

TEST_F(UploadShell, ReviewOpensThePageOfLibraryFilesOnly) {
    CChildFrame* child = piece("Minuet", 6);
    child->runCommand(Cmd::ReviewInLibrary);
    EXPECT_EQ(ui.messages.back(), OnlineText::OnlyUploadedReviewed);
    child->document().score().internetID = 1001;
    child->document().score().filehash = "ABC";
    child->runCommand(Cmd::ReviewInLibrary);
    EXPECT_EQ(ui.opened.last(), site.base() + "page/review?fid=1001&hash=ABC");
}

TEST_F(UploadShell, WebAccessOffSendsNothing) {
    CChildFrame* child = piece("Minuet", 6);
    child->document().score().internetID = 1001;
    programSettings()->setValue("EnableWeb", 0);
    child->runCommand(Cmd::UploadToLibrary);
    EXPECT_EQ(ui.messages.back(), OnlineText::CannotReachSite);
    child->runCommand(Cmd::ReviewInLibrary);
    EXPECT_EQ(ui.messages.back(), OnlineText::OnlyUploadedReviewed);
    app->runCommand(Cmd::Library);
    QTest::qWait(100);
    EXPECT_TRUE(site.requests().isEmpty()) << site.requests().join(' ').toStdString();
    EXPECT_TRUE(uploads().isEmpty());
}

}  // namespace
}  // namespace ks
