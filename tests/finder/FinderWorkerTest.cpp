// The finder's worker: a missing index starts a scan that lists, saves and reports; an
// index file is loaded without a scan and drops files that are gone; a cancelled scan
// leaves the index and its file as they were.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <future>
#include <mutex>

#include "app/finder/FinderTextIds.h"
#include "app/finder/FinderWorker.h"
#include "app/finder/IndexFile.h"
#include "tests/finder/FinderTree.h"

using namespace ks;
using namespace ks::test;

namespace {

struct Recorder {
    std::mutex mutex;
    std::vector<int> statuses;
    std::vector<ScanProgress> progress;
    size_t foundRows = 0;
    std::vector<FinderRow> list;
    std::optional<FinderOutcome> outcome;
    std::function<void()> onProgress;
    std::function<void()> onStatus;

    FinderEvents events() {
        return {[this](int id) {
                    {
                        std::lock_guard lock(mutex);
                        statuses.push_back(id);
                    }
                    if (onStatus) onStatus();
                },
                [this](const ScanProgress& p) {
                    {
                        std::lock_guard lock(mutex);
                        progress.push_back(p);
                    }
                    if (onProgress) onProgress();
                },
                [this](std::vector<FinderRow> rows) {
                    std::lock_guard lock(mutex);
                    foundRows += rows.size();
                },
                [this](std::vector<FinderRow> rows) {
                    std::lock_guard lock(mutex);
                    list = std::move(rows);
                },
                [this](const FinderOutcome& o) {
                    std::lock_guard lock(mutex);
                    outcome = o;
                }};
    }
};

struct WorkerSetup {
    FinderTree tree;
    QTemporaryDir data;
    FinderIndex index;
    WorkerSetup() {
        index.drives = [this] { return DriveList{{tree.root}, {}}; };
        index.file = data.filePath("Keystave.files");
        tree.unlock();
    }
    // The tree's score files with the ones in the unlocked folder and in the folder that
    // is no mount point here.
    static int fileCount() { return int(FinderTree::expected().size()) + 2; }
};

}  // namespace

TEST(FinderWorker, AMissingIndexStartsAScanThatIsListedAndSaved) {
    WorkerSetup setup;
    Recorder recorder;
    std::promise<void> checked;
    std::shared_future<void> gate = checked.get_future().share();
    recorder.onStatus = [&] { gate.wait(); };  // holds the worker at its first report
    FinderWorker worker(setup.index, recorder.events());
    ASSERT_TRUE(worker.open());
    EXPECT_FALSE(worker.open());  // one piece of work at a time
    FinderWorker other(setup.index, {});
    EXPECT_FALSE(other.scan());  // nor a second finder on the same index
    checked.set_value();
    worker.wait();

    ASSERT_TRUE(recorder.outcome);
    EXPECT_FALSE(recorder.outcome->cancelled);
    EXPECT_FALSE(recorder.outcome->saveFailed);
    const int expected = WorkerSetup::fileCount();
    EXPECT_EQ(recorder.outcome->fileCount, expected);
    EXPECT_EQ(recorder.statuses,
              (std::vector<int>{FinderText::LoadingIndex, FinderText::Scanning,
                                FinderText::CreatingList, FinderText::SavingIndex}));
    EXPECT_EQ(recorder.foundRows, size_t(expected));
    ASSERT_EQ(recorder.list.size(), size_t(expected));
    for (const FinderRow& row : recorder.list)
        EXPECT_GT(row.size, 0) << row.name.toStdString();
    ASSERT_FALSE(recorder.progress.empty());
    EXPECT_TRUE(recorder.progress.back().details);
    EXPECT_EQ(recorder.progress.back().detailed, expected);
    EXPECT_TRUE(QFileInfo::exists(setup.index.file));
    EXPECT_FALSE(setup.index.busy);

    // The dialog opened again reuses the index: no loading, no scan.
    Recorder again;
    FinderWorker second(setup.index, again.events());
    ASSERT_TRUE(second.open());
    second.wait();
    EXPECT_EQ(again.statuses, std::vector<int>{FinderText::CreatingList});
    EXPECT_EQ(again.list.size(), size_t(expected));
}

TEST(FinderWorker, AnIndexFileIsLoadedAndFilesGoneSinceAreDropped) {
    WorkerSetup setup;
    {
        Recorder first;
        FinderWorker worker(setup.index, first.events());
        worker.scan();
        worker.wait();
        ASSERT_TRUE(first.outcome);
    }
    ASSERT_TRUE(QFile::remove(setup.tree.root + "/a.ksv"));
    FinderIndex fresh;  // a later run of the program
    fresh.drives = setup.index.drives;
    fresh.file = setup.index.file;
    Recorder recorder;
    FinderWorker worker(fresh, recorder.events());
    worker.open();
    worker.wait();
    EXPECT_EQ(recorder.statuses,
              (std::vector<int>{FinderText::LoadingIndex, FinderText::CreatingList}));
    EXPECT_EQ(int(recorder.list.size()), WorkerSetup::fileCount() - 1);
    for (const FinderRow& row : recorder.list)
        EXPECT_NE(row.name, "a.ksv");
}

TEST(FinderWorker, ACancelledScanKeepsTheIndexAsItWas) {
    WorkerSetup setup;
    CFileIndex old;
    old.scanTime = 1000;
    old.drives.push_back({"/old", {{setup.tree.root, {{"c.tpm", {}, {}, {}, 5}}}}});
    setup.index.index = old;
    setup.index.present = true;
    ASSERT_TRUE(saveIndexFile(setup.index.file, old));
    const QByteArray before = [&] {
        QFile f(setup.index.file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    // Many folders, so that the scan is still listing when the first progress arrives.
    for (int i = 0; i < 300; ++i)
        makeFile(setup.tree.root + QStringLiteral("/wide/%1/x.ksv").arg(i));
    Recorder recorder;
    FinderWorker* running = nullptr;
    recorder.onProgress = [&] { running->cancel(); };
    FinderWorker worker(setup.index, recorder.events());
    running = &worker;
    ASSERT_TRUE(worker.scan());
    worker.wait();

    ASSERT_TRUE(recorder.outcome);
    EXPECT_TRUE(recorder.outcome->cancelled);
    EXPECT_TRUE(recorder.outcome->present);
    EXPECT_EQ(recorder.outcome->fileCount, 1);
    EXPECT_EQ(recorder.outcome->scanTime, 1000);
    ASSERT_EQ(recorder.list.size(), 1u);  // the old list comes back
    EXPECT_EQ(recorder.list[0].name, "c.tpm");
    QFile f(setup.index.file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_FALSE(setup.index.busy);
}

TEST(FinderWorker, AnIndexThatCannotBeSavedIsReported) {
    WorkerSetup setup;
    setup.index.file = setup.data.filePath("not-a-folder/Keystave.files");
    ASSERT_TRUE(makeFile(setup.data.filePath("not-a-folder")));
    Recorder recorder;
    FinderWorker worker(setup.index, recorder.events());
    worker.scan();
    worker.wait();
    ASSERT_TRUE(recorder.outcome);
    EXPECT_TRUE(recorder.outcome->saveFailed);
    EXPECT_TRUE(recorder.outcome->present);  // the list is there all the same
}
