// Saving a document: the container's members, the backup, the file name rules, and what
// is on disk when a save fails at any step or the program dies in the middle of one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include "DocumentTestUtil.h"
#include "storage/KeystaveDoc.h"
#include "storage/NZip.h"
#include "storage/StorageSession.h"
#include "storage/StorageTextIds.h"

using namespace ks;
using namespace ks::test;

namespace {

class DocumentSaveTest : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        doc.newDocument();
        doc.score().tracks[0].addNote({.time = 0, .duration = 96, .pitch = 61});
        doc.score().title = QStringLiteral("First");
    }
    // The bytes of one member of a saved container.
    QByteArray member(const QString& archive, const char* name) {
        const QString out = temp.filePath(QStringLiteral("member.out"));
        QFile::remove(out);
        if (n_unzip(archive, out, QString::fromLatin1(name)) != 1) return "<missing>";
        const QByteArray bytes = readBytes(out);
        QFile::remove(out);
        return bytes;
    }

    StorageSession session{false};
    ScriptedPrompts prompts;
    CKeystaveDoc doc{session, &prompts};
};

}  // namespace

TEST_F(DocumentSaveTest, ContainerHoldsStubDocumentAndCompanionAndReadsBack) {
    const QString path = workPath(QStringLiteral("song.ksv"));
    doc.history().Push(StringId::UndoPrefix, 1);
    ASSERT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.save(path));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.pathName(), path);
    EXPECT_EQ(doc.title(), QStringLiteral("song.ksv"));
    EXPECT_EQ(workFiles(), QStringList{QStringLiteral("song.ksv")});  // no backup of nothing
    EXPECT_EQ(member(path, "tonePad.xml"), compatibilityStub());
    EXPECT_EQ(member(path, "tonePad.gfx"), companionBytes());
    EXPECT_TRUE(member(path, "keystaves.xml").startsWith("<keystaves>"));
    const QByteArray bytes = readBytes(path);
    EXPECT_LT(bytes.indexOf("tonePad.xml"), bytes.indexOf("keystaves.xml"));
    EXPECT_LT(bytes.indexOf("keystaves.xml"), bytes.indexOf("tonePad.gfx"));

    CScore read;
    ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(path, read, nullptr).ok);
    EXPECT_EQ(documentBytes(read), documentBytes(doc.score()));
    EXPECT_EQ(tempFiles().filter(QStringLiteral("~KSV")), QStringList{});  // only undo files
}

TEST_F(DocumentSaveTest, NamesGetTheCurrentExtensionAndSiblingsFollowTheTarget) {
    struct Case {
        const char* given;
        const char* saved;
    } cases[] = {{"a.ksv", "a.ksv"}, {"b.KSV", "b.KSV"}, {"c.tpm", "c.tpm"},
                 {"d.mid", "d.ksv"}, {"e", "e.ksv"},     {"f.x.txt", "f.x.ksv"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(doc.save(workPath(QString::fromLatin1(c.given)))) << c.given;
        EXPECT_EQ(doc.pathName(), workPath(QString::fromLatin1(c.saved)));
        EXPECT_TRUE(QFile::exists(doc.pathName()));
    }
    EXPECT_EQ(workFiles().size(), 6);

    const ContainerSiblings s = containerSiblings(QStringLiteral("/x/../y/name.v1.ksv"));
    EXPECT_EQ(s.v3xml, QStringLiteral("/x/../y/name.v1.v3xml"));
    EXPECT_EQ(s.v4xml, QStringLiteral("/x/../y/name.v1.v4xml"));
    EXPECT_EQ(s.gfx, QStringLiteral("/x/../y/name.v1.gfx"));
    EXPECT_EQ(s.bak, QStringLiteral("/x/../y/name.v1.bak"));
    EXPECT_EQ(containerSiblings(QStringLiteral("dir/a..ksv")).bak, QStringLiteral("dir/a.bak"));
    EXPECT_EQ(containerSiblings(QStringLiteral("noext")).bak, QStringLiteral("noext.bak"));

    // A container is never written under a name its own temporary files would take.
    for (const char* name : {"x.bak", "x.v4xml", "x.KSVTMP"}) {
        const QString path = workPath(QString::fromLatin1(name));
        writeBytes(path, "keep");
        EXPECT_FALSE(writeContainer(path, doc.score(), {}).ok);
        EXPECT_EQ(readBytes(path), "keep");
    }
}

TEST_F(DocumentSaveTest, SavingAgainKeepsThePreviousVersionAsBackup) {
    const QString path = workPath(QStringLiteral("song.ksv"));
    ASSERT_TRUE(doc.save(path));
    const QByteArray first = readBytes(path);
    doc.score().title = QStringLiteral("Second");
    ASSERT_TRUE(doc.save(path));
    EXPECT_EQ(readBytes(workPath(QStringLiteral("song.bak"))), first);
    EXPECT_NE(readBytes(path), first);
    doc.score().title = QStringLiteral("Third");
    ASSERT_TRUE(doc.save(path));
    CScore bak;
    ASSERT_TRUE(
        CKeystaveDoc::readIntoSeparateScore(workPath(QStringLiteral("song.bak")), bak, nullptr).ok);
    EXPECT_EQ(bak.title, QStringLiteral("Second"));
    EXPECT_EQ(session.backups(), QStringList{workPath(QStringLiteral("song.bak"))});
    EXPECT_EQ(workFiles(), (QStringList{QStringLiteral("song.bak"), QStringLiteral("song.ksv")}));
}

TEST_F(DocumentSaveTest, FailureAtAnyStepLeavesThePreviousVersionAndNoBackup) {
    const QString path = workPath(QStringLiteral("song.ksv"));
    ASSERT_TRUE(doc.save(path));
    const QByteArray before = readBytes(path);
    doc.history().Push(StringId::UndoPrefix, 1);
    doc.score().title = QStringLiteral("Changed");
    for (SaveStep step :
         {SaveStep::Member1, SaveStep::Member2, SaveStep::Member3, SaveStep::Move}) {
        SCOPED_TRACE(int(step));
        prompts.messageIds.clear();
        std::vector<SaveStep> seen;
        doc.hooks.saveFault = [&](SaveStep s) {
            seen.push_back(s);
            return s == step;
        };
        EXPECT_FALSE(doc.save(path));
        EXPECT_EQ(seen.back(), step);
        EXPECT_EQ(prompts.messageIds, std::vector<int>{StringId::ErrorSavingFile});
        EXPECT_EQ(readBytes(path), before);
        EXPECT_EQ(workFiles(), QStringList{QStringLiteral("song.ksv")});
        EXPECT_TRUE(doc.isModified());
    }
    EXPECT_TRUE(session.backups().isEmpty());
    doc.hooks.saveFault = nullptr;
    ASSERT_TRUE(doc.save(path));
    EXPECT_EQ(readBytes(workPath(QStringLiteral("song.bak"))), before);
}

TEST_F(DocumentSaveTest, FailedSaveOfANewFileWritesNothingAndSaysNothing) {
    doc.hooks.saveFault = [](SaveStep s) { return s == SaveStep::Member2; };
    EXPECT_FALSE(doc.save(workPath(QStringLiteral("new.ksv"))));
    EXPECT_TRUE(prompts.messageIds.empty());
    EXPECT_TRUE(workFiles().isEmpty());
    EXPECT_TRUE(doc.pathName().isEmpty());
    // A folder that does not exist fails before any zip step.
    doc.hooks.saveFault = nullptr;
    EXPECT_FALSE(doc.save(workPath(QStringLiteral("missing/new.ksv"))));
    EXPECT_TRUE(workFiles().isEmpty());
}

TEST_F(DocumentSaveTest, SavingThroughALinkReplacesTheLinkedFile) {
    const QString real = workPath(QStringLiteral("real.ksv"));
    ASSERT_TRUE(doc.save(real));
    const QByteArray first = readBytes(real);
    const QString link = workPath(QStringLiteral("link.ksv"));
    ASSERT_TRUE(QFile::link(real, link));
    doc.score().title = QStringLiteral("Via link");
    ASSERT_TRUE(doc.save(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    CScore read;
    ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(real, read, nullptr).ok);
    EXPECT_EQ(read.title, QStringLiteral("Via link"));
    EXPECT_EQ(readBytes(workPath(QStringLiteral("link.bak"))), first);
}

TEST_F(DocumentSaveTest, SaveAsDetachesLibraryDocumentsOnlyWhenAskedAndSaved) {
    CScore& s = doc.score();
    s.internetID = 42;
    s.filehash = QStringLiteral("F00D");
    const QString path = workPath(QStringLiteral("copy.ksv"));
    prompts.savePath = path;

    prompts.answers = {false};  // "No" abandons before the file name is asked for
    EXPECT_FALSE(doc.saveAs());
    EXPECT_EQ(prompts.questions, std::vector<int>{StringId::OnlineLibrarySaveAs});
    EXPECT_EQ(prompts.savePathRequests, 0);

    prompts.answers = {true};
    prompts.savePath.clear();  // the file dialog is cancelled
    EXPECT_FALSE(doc.saveAs());
    EXPECT_EQ(s.internetID, 42);

    prompts.answers = {true};
    prompts.savePath = path;
    doc.hooks.saveFault = [](SaveStep step) { return step == SaveStep::Move; };
    EXPECT_FALSE(doc.saveAs());
    EXPECT_EQ(s.filehash, QStringLiteral("F00D"));

    prompts.answers = {true};
    doc.hooks.saveFault = nullptr;
    ASSERT_TRUE(doc.saveAs());
    EXPECT_EQ(s.internetID, 0);
    EXPECT_TRUE(s.filehash.isEmpty());
    EXPECT_EQ(doc.pathName(), path);
    CScore read;
    ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(path, read, nullptr).ok);
    EXPECT_EQ(read.internetID, 0);

    // Documents outside the library are not asked about.
    prompts.questions.clear();
    prompts.savePath = workPath(QStringLiteral("again.ksv"));
    EXPECT_TRUE(doc.saveAs());
    EXPECT_TRUE(prompts.questions.empty());
}

// A child process saves a large score over and over; killed as a save reaches each of
// its steps, it must leave the target holding one complete version.
TEST_F(DocumentSaveTest, KilledInTheMiddleOfALargeSaveLeavesACompleteFile) {
    const QString path = workPath(QStringLiteral("big.ksv"));
    ASSERT_TRUE(doc.save(path));
    const QString helper = QStringLiteral(KS_SAVE_LOOP_HELPER);
    int interrupted = 0;
    for (int step = 0; step < 4; ++step) {
        QProcess child;
        child.start(helper, {path});
        ASSERT_TRUE(child.waitForStarted());
        // Wait until a save (not the first, so that a backup exists) reaches the step.
        int reached = 0;
        while (reached < 2) {
            if (!child.canReadLine())
                ASSERT_TRUE(child.waitForReadyRead(120000))
                    << child.readAllStandardError().toStdString();
            while (child.canReadLine())
                if (child.readLine().trimmed().toInt() == step) ++reached;
        }
        child.kill();
        ASSERT_TRUE(child.waitForFinished(60000));
        const QStringList left = workFiles();
        SCOPED_TRACE(
            QStringLiteral("step %1, files %2").arg(step).arg(left.join(u' ')).toStdString());
        if (left.size() > 2) ++interrupted;  // sibling files of an unfinished save

        CScore read;
        ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(path, read, nullptr).ok);
        EXPECT_TRUE(read.title == u"First" || read.title == u"A" || read.title == u"B")
            << read.title.toStdString();
    }
    EXPECT_GT(interrupted, 0);
}
