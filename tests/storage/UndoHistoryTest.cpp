// The undo history: steps of each kind taken back and put back through their snapshot
// files, the saved position, menu texts, and what happens when a snapshot cannot be
// written or read.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "DocumentTestUtil.h"
#include "storage/UndoHistory.h"

using namespace ks;
using namespace ks::test;

namespace {

constexpr int kInsertNotes = 34033;
constexpr int kInsertBar = 34031;
constexpr int kChangeBarWidth = 34142;

class UndoHistoryTest : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        score.makeNewDocument();
        history = std::make_unique<CUndoHistory>(&score);
        history->stopPlayback = [this] { ++stops; };
        history->refresh = [this](int32_t kind, int32_t index) {
            refreshed.push_back({kind, index});
        };
    }
    qint64 undoSize() const { return QFileInfo(history->undoPath()).size(); }
    qint64 redoSize() const { return QFileInfo(history->redoPath()).size(); }

    CScore score;
    std::unique_ptr<CUndoHistory> history;
    int stops = 0;
    std::vector<std::pair<int32_t, int32_t>> refreshed;
};

}  // namespace

TEST_F(UndoHistoryTest, InsertNotesUndoRedo) {
    EXPECT_EQ(history->undoMenuText().text, QStringLiteral("Nothing to Undo"));
    EXPECT_FALSE(history->undoMenuText().enabled);
    const QByteArray before = documentBytes(score);
    ASSERT_TRUE(history->Push(kInsertNotes, UndoKind::Track, 1));
    score.tracks[1].addNote({.time = 0, .duration = 96, .pitch = 48});
    score.tracks[1].addNote({.time = 96, .duration = 96, .pitch = 50});
    score.rebuildTrack(1);
    const QByteArray edited = documentBytes(score);
    EXPECT_TRUE(history->undoMenuText().enabled);
    EXPECT_EQ(history->undoMenuText().text, QStringLiteral("Undo Insert Notes\tCtrl+Z"));

    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(documentBytes(score), before);
    EXPECT_EQ(history->undoMenuText().text, QStringLiteral("Nothing to Undo"));
    EXPECT_EQ(history->redoMenuText().text, QStringLiteral("Redo Insert Notes\tCtrl+Y"));

    ASSERT_TRUE(history->Redo());
    EXPECT_EQ(documentBytes(score), edited);
    EXPECT_TRUE(score.track(1).chordsvalid);
    EXPECT_EQ(history->undoMenuText().text, QStringLiteral("Undo Insert Notes\tCtrl+Z"));
    EXPECT_EQ(history->redoMenuText().text, QStringLiteral("Nothing to Redo"));
    EXPECT_FALSE(history->redoMenuText().enabled);
    EXPECT_EQ(stops, 3);
    EXPECT_EQ(refreshed, (std::vector<std::pair<int32_t, int32_t>>{{2, 1}, {2, 1}}));
    EXPECT_FALSE(history->Redo());  // nothing left
}

// Each kind restores its own target, and only it, then restores the selection.
TEST_F(UndoHistoryTest, EveryKindRestoresItsTarget) {
    score.lines.resize(3);
    score.selection.selecttrack = 1;
    struct Case {
        int32_t kind, index;
        std::function<void(CScore&)> edit;
    } cases[] = {
        {UndoKind::Score, 0,
         [](CScore& s) {
             s.title = QStringLiteral("Changed");
             s.addTrack(CTrack{});
             s.voltamarks.push_back(
                 {.startbar = 2, .endbar = 3, .caption = QStringLiteral("1."), .flags = 1});
         }},
        {UndoKind::Track, 0, [](CScore& s) { s.tracks[0].title = QStringLiteral("Renamed"); }},
        {UndoKind::Bar, 4,
         [](CScore& s) {
             s.bars[4].width = 300;
             s.bars[4].styleLeft = 2;
         }},
        {UndoKind::Line, 2,
         [](CScore& s) {
             s.lines[2].size = 1.25;
             s.lines[2].barCount = 6;
         }},
        {UndoKind::Settings, 0,
         [](CScore& s) {
             s.prefs.paper = 0x123456;
             s.prefs.showlyrics = false;
             s.prefs.stavetype = 3;
             s.midi.program = 9;
             s.font.name = QStringLiteral("Courier");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        score.selection.timestart = 96 * c.kind;
        const QByteArray before = documentBytes(score);
        const CSelection selection = score.selection;
        ASSERT_TRUE(history->Push(QStringLiteral("Edit"), c.kind, c.index));
        c.edit(score);
        score.rebuildBars();  // as every command ends
        score.rebuildAllTracks();
        score.selection.timestart = 1;
        const QByteArray after = documentBytes(score);
        ASSERT_NE(after, before);
        ASSERT_TRUE(history->Undo());
        EXPECT_EQ(documentBytes(score), before);
        EXPECT_EQ(score.selection, selection);
        ASSERT_TRUE(history->Redo());
        EXPECT_EQ(documentBytes(score), after);
        ASSERT_TRUE(history->Undo());
    }
}

TEST_F(UndoHistoryTest, BarStepWithDefaultsPutsDefaultsBack) {
    ASSERT_TRUE(history->Push(kChangeBarWidth, UndoKind::Bar, 2));
    score.bars[2].width = 250;
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(score.bar(2).width, kDefaultBarWidth);
}

// The settings keep the key of bar 0, which reading a whole document turns into a key
// signature; steps that hold no key signatures leave the signatures alone.
TEST_F(UndoHistoryTest, PartialStepsLeaveKeySignaturesAlone) {
    score.setKeySignature(4, 0);
    score.keysigs.clear();  // the key at bar 0 was removed later
    ASSERT_GE(score.prefs.key, 0);
    for (int32_t kind : {UndoKind::Track, UndoKind::Bar, UndoKind::Settings}) {
        ASSERT_TRUE(history->Push(QStringLiteral("Edit"), kind, 0));
        ASSERT_TRUE(history->Undo());
        EXPECT_TRUE(score.keysigs.empty()) << kind;
    }
}

TEST_F(UndoHistoryTest, SavedPositionDecidesWhetherModified) {
    EXPECT_FALSE(history->IsModified());
    // Save, edit, undo: not modified.
    history->Push(kInsertBar, UndoKind::Score);
    history->MarkSaved();
    history->Push(kInsertNotes, UndoKind::Track, 0);
    EXPECT_TRUE(history->IsModified());
    history->Undo();
    EXPECT_FALSE(history->IsModified());
    history->Redo();
    EXPECT_TRUE(history->IsModified());
    history->Undo();

    // Save, undo, edit: modified for good.
    history->Undo();
    EXPECT_TRUE(history->IsModified());
    history->Push(kInsertNotes, UndoKind::Track, 0);
    EXPECT_EQ(history->savedPosition(), -1);
    history->Undo();
    EXPECT_TRUE(history->IsModified());

    history->MarkSaved();
    EXPECT_FALSE(history->IsModified());
    history->MarkModified();
    EXPECT_TRUE(history->IsModified());
}

TEST_F(UndoHistoryTest, EachHistoryHasItsOwnFilesWhichGoWithIt) {
    CScore other;
    auto second = std::make_unique<CUndoHistory>(&other);
    EXPECT_NE(second->serial(), history->serial());
    EXPECT_EQ(QFileInfo(history->undoPath()).fileName(),
              QString::asprintf("KSV-%08X-UNDO.tmp", history->serial()));
    EXPECT_EQ(QFileInfo(history->redoPath()).fileName(),
              QString::asprintf("KSV-%08X-REDO.tmp", history->serial()));
    EXPECT_EQ(QFileInfo(history->undoPath()).absolutePath(), temp.path());
    ASSERT_TRUE(history->Push(kInsertBar, UndoKind::Score));
    ASSERT_TRUE(second->Push(kInsertBar, UndoKind::Score));
    history->Undo();
    EXPECT_EQ(tempFiles().size(), 3);
    second.reset();
    EXPECT_EQ(tempFiles().size(), 2);
    history->Reset();
    EXPECT_TRUE(tempFiles().isEmpty());
    EXPECT_TRUE(history->undoItems().empty());
    EXPECT_TRUE(history->redoItems().empty());
    history->Push(kInsertBar, UndoKind::Score);
    history.reset();
    EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(UndoHistoryTest, FilesDoNotGrowAcrossCyclesOfOneStep) {
    history->Push(kInsertNotes, UndoKind::Track, 0);
    score.tracks[0].addNote({.time = 0, .duration = 96, .pitch = 60});
    history->Undo();
    history->Redo();
    const qint64 undo = undoSize(), redo = redoSize();
    EXPECT_GT(undo, 0);
    for (int i = 0; i < 5; ++i) {
        history->Undo();
        history->Redo();
    }
    EXPECT_EQ(undoSize(), undo);
    EXPECT_EQ(redoSize(), redo);
    EXPECT_EQ(redo, 0);
    // A new command after undoing empties the redo file.
    history->Undo();
    EXPECT_GT(redoSize(), 0);
    history->Push(kInsertBar, UndoKind::Score);
    EXPECT_EQ(redoSize(), 0);
    EXPECT_TRUE(history->redoItems().empty());
}

TEST_F(UndoHistoryTest, StepsThatCannotBeWrittenAreNotRecorded) {
    // The snapshot file cannot be written (a folder stands in its way).
    history->Push(kInsertBar, UndoKind::Score);
    history->Undo();
    ASSERT_EQ(history->redoItems().size(), 1u);
    history->MarkSaved();
    QFile::remove(history->undoPath());
    ASSERT_TRUE(QDir().mkdir(history->undoPath()));
    EXPECT_FALSE(history->Push(kInsertNotes, UndoKind::Track, 0));
    EXPECT_TRUE(history->undoItems().empty());
    EXPECT_TRUE(history->redoItems().empty());  // the command goes ahead all the same
    EXPECT_TRUE(history->IsModified());

    // A full disk: the file takes no bytes.
    QDir().rmdir(history->undoPath());
    ASSERT_TRUE(history->Push(kInsertBar, UndoKind::Score));
    const qint64 size = undoSize();
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        QFile::remove(history->redoPath());
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), history->redoPath()));
        // Undo needs a record of the present state for redo; without one nothing changes.
        score.title = QStringLiteral("Edited");
        EXPECT_FALSE(history->Undo());
        EXPECT_EQ(score.title, QStringLiteral("Edited"));
        EXPECT_EQ(history->undoItems().size(), 1u);
        EXPECT_EQ(undoSize(), size);
    }
    // Targets that do not exist are refused without touching anything.
    EXPECT_FALSE(history->Push(kInsertNotes, UndoKind::Track, 7));
    EXPECT_FALSE(history->Push(kInsertNotes, 9, 0));
    EXPECT_EQ(history->undoItems().size(), 1u);
}

TEST_F(UndoHistoryTest, UnreadableSnapshotRestoresNothingButTheStepGoes) {
    history->Push(kInsertBar, UndoKind::Score);
    history->Push(kInsertNotes, UndoKind::Track, 0);
    score.title = QStringLiteral("Now");
    const int64_t offset = history->undoItems().back().offset;
    QFile::resize(history->undoPath(), offset + 5);  // the last step is cut short
    EXPECT_TRUE(history->Undo());
    EXPECT_EQ(score.title, QStringLiteral("Now"));
    EXPECT_EQ(history->undoItems().size(), 1u);
    EXPECT_EQ(undoSize(), offset);
    ASSERT_TRUE(history->Undo());
    EXPECT_TRUE(score.title.isEmpty());
}

TEST_F(UndoHistoryTest, DiscardLastDropsAStepThatChangedNothing) {
    history->Push(kInsertBar, UndoKind::Score);
    const qint64 size = undoSize();
    history->MarkSaved();
    history->Push(kInsertNotes, UndoKind::Track, 0);
    history->DiscardLast();
    EXPECT_EQ(history->undoItems().size(), 1u);
    EXPECT_EQ(undoSize(), size);
    EXPECT_FALSE(history->IsModified());
}

TEST_F(UndoHistoryTest, HistoryWithoutScoreDoesNothing) {
    CUndoHistory empty(nullptr);
    EXPECT_FALSE(empty.Push(kInsertBar, UndoKind::Score));
    EXPECT_FALSE(empty.Undo());
    EXPECT_FALSE(empty.Redo());
}
