// Autosave: the tick counter, safe and unique file names, the log, the recovery offered
// at the next start, and the tidying up at a clean exit.
#include <gtest/gtest.h>

#include <QSettings>

#include "DocumentTestUtil.h"
#include "storage/AutosaveLog.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "storage/StorageTextIds.h"

using namespace ks;
using namespace ks::test;

namespace {

class AutosaveTest : public IsolatedStorageTest {
  protected:
    // A modified document titled `title`.
    std::unique_ptr<CKeystaveDoc> modifiedDocument(const QString& title) {
        auto doc = std::make_unique<CKeystaveDoc>(session, &prompts);
        doc->newDocument();
        doc->setTitle(title);
        doc->history().Push(QStringLiteral("Edit"), UndoKind::Track, 0);
        doc->score().tracks[0].addNote({.time = 0, .duration = 96, .pitch = 70});
        doc->score().title = title;
        return doc;
    }
    // Ticks until the document has been autosaved once.
    static void autosaveNow(CKeystaveDoc& doc) {
        for (int i = 0; i < CKeystaveDoc::kAutosaveInterval; ++i)
            doc.autosaveTick();
    }
    QStringList logLines() const {
        return QString::fromUtf8(readBytes(AutosaveLog::path())).split(u'\n', Qt::SkipEmptyParts);
    }
    // Runs the recovery, opening each file as a new document kept in `recovered`.
    int recover() {
        return session.recoverAtStart(prompts, [&](const QString& path) {
            auto doc = std::make_unique<CKeystaveDoc>(session, &prompts);
            if (!doc->openRecovered(path)) return false;
            recovered.push_back(std::move(doc));
            return true;
        });
    }

    StorageSession session{false};
    ScriptedPrompts prompts;
    std::vector<std::unique_ptr<CKeystaveDoc>> recovered;
};

}  // namespace

TEST_F(AutosaveTest, ModifiedDocumentIsSavedEveryFourthTick) {
    auto doc = modifiedDocument(QStringLiteral("song.ksv"));
    int written = 0;
    for (int tick = 0; tick < 20; ++tick)  // ten minutes
        written += doc->autosaveTick() ? 1 : 0;
    EXPECT_EQ(written, 5);
    const QString path = doc->autosavePath();
    EXPECT_EQ(logLines(), QStringList(5, QStringLiteral("AUTO ") + path));
    EXPECT_EQ(prompts.statuses, QStringList(5, QStringLiteral("Auto Save ... song.ksv")));
    EXPECT_TRUE(doc->isModified());  // an autosave is not a save
    CScore read;
    ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(path, read, nullptr).ok);
    EXPECT_EQ(documentBytes(read), documentBytes(doc->score()));
    // No backup beside an autosave file, and nothing else left in the temporary folder
    // but the undo file.
    EXPECT_EQ(tempFiles().size(), 3);

    CKeystaveDoc clean(session, &prompts);
    clean.newDocument();
    for (int tick = 0; tick < 8; ++tick)
        EXPECT_FALSE(clean.autosaveTick());
    EXPECT_EQ(logLines().size(), 5);
}

TEST_F(AutosaveTest, NamesAreSafeAndUniqueWhateverTheTitle) {
    const QString titles[] = {QStringLiteral("song.ksv"),
                              QStringLiteral("../../etc/passwd"),
                              QStringLiteral("..\\..\\windows\\x"),
                              QStringLiteral("a\nb\tc\x01"),
                              QStringLiteral(".."),
                              QStringLiteral(""),
                              QStringLiteral("  "),
                              QStringLiteral("what? <is> \"this\" | a:b*c"),
                              QString(300, u'x')};
    QStringList seen;
    for (const QString& title : titles) {
        for (int copy = 0; copy < 2; ++copy) {  // two documents of the same title
            CKeystaveDoc doc(session, nullptr);
            doc.setTitle(title);
            const QString path = doc.autosavePath();
            const QString name = QFileInfo(path).fileName();
            EXPECT_EQ(QFileInfo(path).absolutePath(), temp.path()) << path.toStdString();
            EXPECT_TRUE(name.endsWith(QStringLiteral(".autosave")));
            EXPECT_FALSE(name.contains(u'/') || name.contains(u'\\') || name.contains(u':'));
            EXPECT_FALSE(name.contains(QStringLiteral("..")));
            EXPECT_FALSE(std::any_of(name.begin(), name.end(), [](QChar c) { return c < u' '; }));
            EXPECT_LT(name.toUtf8().size(), 100);
            EXPECT_FALSE(seen.contains(path));
            EXPECT_TRUE(isAutosaveFile(path));
            seen.append(path);
            EXPECT_EQ(doc.autosavePath(), path);  // chosen once
        }
    }
    EXPECT_EQ(titleOfAutosavePath(seen[0]), QStringLiteral("song.ksv"));
    EXPECT_FALSE(isAutosaveFile(workPath(QStringLiteral("x.autosave"))));
    EXPECT_FALSE(isAutosaveFile(temp.filePath(QStringLiteral("x.ksv"))));
}

TEST_F(AutosaveTest, TwoDocumentsWithOneTitleKeepSeparateAutosaves) {
    auto first = modifiedDocument(QStringLiteral("Same"));
    auto second = modifiedDocument(QStringLiteral("Same"));
    second->score().title = QStringLiteral("Other content");
    autosaveNow(*first);
    autosaveNow(*second);
    ASSERT_NE(first->autosavePath(), second->autosavePath());
    CScore a, b;
    ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(first->autosavePath(), a, nullptr).ok);
    ASSERT_TRUE(CKeystaveDoc::readIntoSeparateScore(second->autosavePath(), b, nullptr).ok);
    EXPECT_EQ(a.title, QStringLiteral("Same"));
    EXPECT_EQ(b.title, QStringLiteral("Other content"));
}

TEST_F(AutosaveTest, LogDecidesWhatIsOffered) {
    struct Case {
        QStringList lines;
        QStringList offered;
    } cases[] = {
        {{"AUTO a", "CLSE a"}, {}},
        {{"AUTO a", "AUTO b", "CLSE a"}, {"b"}},
        {{"AUTO a", "AUTO a", "AUTO b"}, {"a", "b"}},
        {{"AUTO a", "SVAS a", "AUTO a"}, {"a"}},
        {{"CLSE a", "junk", "AUTO", "AUTO c"}, {"c"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        AutosaveLog::remove();
        for (const QString& line : c.lines)
            AutosaveLog::append(line.left(5), line.mid(5));
        EXPECT_EQ(AutosaveLog::pendingFiles(), std::optional<QStringList>(c.offered))
            << c.lines.join(u'|').toStdString();
    }
    // A long log, an over-long line and a line without an end are read in one pass.
    QByteArray log;
    for (int i = 0; i < 100000; ++i)
        log += "AUTO " + QByteArray::number(i) + "\nCLSE " + QByteArray::number(i) + "\n";
    log += "AUTO " + QByteArray(10000, 'x') + "\nAUTO last";
    writeBytes(AutosaveLog::path(), log);
    EXPECT_EQ(AutosaveLog::pendingFiles(),
              std::optional<QStringList>(QStringList{QStringLiteral("last")}));

    // Nothing pending: no question.
    AutosaveLog::remove();
    AutosaveLog::append(AutosaveTag::Auto, QStringLiteral("a"));
    AutosaveLog::append(AutosaveTag::Close, QStringLiteral("a"));
    EXPECT_EQ(recover(), 0);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(AutosaveTest, RecoveryYesOpensTheFilesAsUnsavedDocuments) {
    QString crashedPath, brokenPath;
    QByteArray content;
    {
        auto doc = modifiedDocument(QStringLiteral("song.ksv"));
        autosaveNow(*doc);
        crashedPath = doc->autosavePath();
        content = documentBytes(doc->score());
        auto broken = modifiedDocument(QStringLiteral("broken"));
        autosaveNow(*broken);
        brokenPath = broken->autosavePath();
        auto closed = modifiedDocument(QStringLiteral("closed"));
        autosaveNow(*closed);
        closed->close();
        // The program dies here: nothing else is logged.
    }
    writeBytes(brokenPath, "not a zip");
    AutosaveLog::append(AutosaveTag::Auto, workPath(QStringLiteral("elsewhere.autosave")));
    writeBytes(workPath(QStringLiteral("elsewhere.autosave")), "x");

    prompts.answers = {true};
    EXPECT_EQ(recover(), 1);
    EXPECT_EQ(prompts.questions, std::vector<int>{StringId::RestoreAutosaveFiles});
    ASSERT_EQ(recovered.size(), 1u);
    CKeystaveDoc& doc = *recovered[0];
    EXPECT_EQ(doc.title(), QStringLiteral("song.ksv"));
    EXPECT_TRUE(doc.pathName().isEmpty());
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(documentBytes(doc.score()), content);
    EXPECT_EQ(prompts.messages,
              (QStringList{QStringLiteral("Error loading File"),
                           QStringLiteral("File %1 cannot be loaded").arg(brokenPath),
                           QStringLiteral("Autosave Files loaded")}));
    EXPECT_FALSE(QFile::exists(AutosaveLog::path()));
    EXPECT_TRUE(QFile::exists(workPath(QStringLiteral("elsewhere.autosave"))));

    // The recovered document autosaves over the file it came from.
    autosaveNow(doc);
    EXPECT_EQ(doc.autosavePath(), crashedPath);
}

TEST_F(AutosaveTest, RecoveryNoDeletesTheFiles) {
    QString path;
    {
        auto doc = modifiedDocument(QStringLiteral("song"));
        autosaveNow(*doc);
        path = doc->autosavePath();
    }
    const QString outside = workPath(QStringLiteral("keep.autosave"));
    writeBytes(outside, "mine");
    AutosaveLog::append(AutosaveTag::Auto, outside);
    prompts.answers = {false};
    EXPECT_EQ(recover(), 0);
    EXPECT_TRUE(recovered.empty());
    EXPECT_EQ(prompts.messageIds, std::vector<int>{StringId::AutosaveFilesIgnored});
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_FALSE(QFile::exists(AutosaveLog::path()));
}

TEST_F(AutosaveTest, SavingRetiresTheAutosave) {
    auto doc = modifiedDocument(QStringLiteral("song"));
    autosaveNow(*doc);
    const QString old = doc->autosavePath();
    ASSERT_TRUE(doc->save(workPath(QStringLiteral("song.ksv"))));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_EQ(AutosaveLog::pendingFiles(), std::optional<QStringList>(QStringList{}));
    doc->history().Push(QStringLiteral("Edit"), UndoKind::Score);
    autosaveNow(*doc);
    EXPECT_NE(doc->autosavePath(), old);
    EXPECT_TRUE(doc->autosavePath().contains(QStringLiteral("song.ksv-")));
}

TEST_F(AutosaveTest, CleanExitRemovesAutosavesLogAndOnRequestBackups) {
    for (const bool deleteBak : {false, true}) {
        SCOPED_TRACE(deleteBak);
        StorageSession run(deleteBak);
        CKeystaveDoc doc(run, &prompts);
        doc.newDocument();
        const QString path = workPath(QStringLiteral("song.ksv"));
        ASSERT_TRUE(doc.save(path));
        ASSERT_TRUE(doc.save(path));
        doc.history().Push(QStringLiteral("Edit"), UndoKind::Score);
        autosaveNow(doc);
        const QString autosave = doc.autosavePath();
        ASSERT_TRUE(QFile::exists(autosave));
        const QString outside = workPath(QStringLiteral("other.autosave"));
        writeBytes(outside, "x");
        AutosaveLog::append(AutosaveTag::Auto, outside);

        run.cleanExit();
        EXPECT_FALSE(QFile::exists(autosave));
        EXPECT_FALSE(QFile::exists(AutosaveLog::path()));
        EXPECT_TRUE(QFile::exists(outside));
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_EQ(QFile::exists(workPath(QStringLiteral("song.bak"))), !deleteBak);
    }
}

TEST_F(AutosaveTest, DeleteBakFilesComesFromTheSettings) {
    QSettings settings(QStringLiteral("Halvern"),
                       QStringLiteral("Halvern Keystaves Notation Software"));
    settings.remove(QStringLiteral("DeleteBakFiles"));
    settings.sync();
    EXPECT_FALSE(StorageSession::readDeleteBakFiles());
    for (const auto& [value, expected] :
         {std::pair{1, true}, std::pair{0, false}, std::pair{7, true}}) {
        settings.setValue(QStringLiteral("DeleteBakFiles"), value);
        settings.sync();
        EXPECT_EQ(StorageSession::readDeleteBakFiles(), expected) << value;
        EXPECT_EQ(StorageSession().deleteBakFiles(), expected);
    }
    EXPECT_TRUE(
        QFileInfo(settings.fileName()).absoluteFilePath().startsWith(this->settings.path()));
}

TEST_F(AutosaveTest, CloseTakesTheDocumentOffTheRecoveryList) {
    auto doc = modifiedDocument(QStringLiteral("song"));
    int stops = 0;
    doc->hooks.stopPlayback = [&] { ++stops; };
    autosaveNow(*doc);
    const QString path = doc->autosavePath();
    doc->close();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(logLines(),
              (QStringList{QStringLiteral("AUTO ") + path, QStringLiteral("CLSE ") + path}));
    EXPECT_EQ(AutosaveLog::pendingFiles(), std::optional<QStringList>(QStringList{}));
}
