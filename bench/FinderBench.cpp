// The file finder: a crawl of a generated tree of 200,000 files in 20,000 folders (warm
// file-system cache), an index of 10,000 score files loaded and listed in the dialog,
// and the dialog's longest frame while it scans that tree. The tree is generated once in
// a temporary folder. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/finder/FileFinderDialog.h"
#include "app/finder/FileListModel.h"
#include "app/finder/IndexCrawler.h"
#include "app/finder/IndexFile.h"
#include "support/OffscreenMain.h"

using namespace ks;

namespace {

constexpr int kTopFolders = 20;
constexpr int kFoldersEach = 1000;  // 20,000 folders below the top ones
constexpr int kFilesEach = 10;      // 200,000 files, one score file in each folder

QTemporaryDir* scratch = nullptr;

// The generated tree: <root>/tNN/fNNN/ with nine other files and one ".ksv" each.
const QString& treeRoot() {
    static const QString root = [] {
        const QString path = scratch->path() + QStringLiteral("/tree");
        QElapsedTimer timer;
        timer.start();
        const QByteArray base = QFile::encodeName(path);
        mkdir(base.constData(), 0755);
        char name[512];
        for (int t = 0; t < kTopFolders; ++t) {
            std::snprintf(name, sizeof name, "%s/t%02d", base.constData(), t);
            mkdir(name, 0755);
            for (int f = 0; f < kFoldersEach; ++f) {
                std::snprintf(name, sizeof name, "%s/t%02d/f%03d", base.constData(), t, f);
                mkdir(name, 0755);
                for (int k = 0; k < kFilesEach; ++k) {
                    std::snprintf(name, sizeof name, "%s/t%02d/f%03d/%s%d.%s", base.constData(), t,
                                  f, k == 0 ? "piece" : "other", k, k == 0 ? "ksv" : "dat");
                    const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    if (fd >= 0) {
                        if (write(fd, "data", 4) != 4) std::perror(name);
                        close(fd);
                    }
                }
            }
        }
        std::fprintf(stderr, "generated %d files in %d folders in %.1f s\n",
                     kTopFolders * kFoldersEach * kFilesEach, kTopFolders * kFoldersEach,
                     double(timer.elapsed()) / 1000);
        return path;
    }();
    return root;
}

DriveList treeDrive() {
    return {{treeRoot()}, {}};
}

void crawlAll(CIndexCrawler& crawler) {
    crawler.setState(CIndexCrawler::kStart);
    while (!crawler.finished())
        crawler.Step();
    crawler.setState(CIndexCrawler::kDetails);
    while (!crawler.finished())
        crawler.Step();
}

// The whole crawl: listing every folder, then the details of every score file.
void BM_CrawlTree(benchmark::State& state) {
    {
        CFileIndex warm;  // fills the file-system cache
        CIndexCrawler crawler(warm, treeDrive);
        crawlAll(crawler);
    }
    int64_t files = 0, found = 0;
    for (auto _ : state) {
        CFileIndex index;
        CIndexCrawler crawler(index, treeDrive);
        crawlAll(crawler);
        found = index.fileCount();
        files = crawler.counters().detailed;
        benchmark::DoNotOptimize(index);
    }
    state.counters["score_files"] = double(found);
    state.counters["detailed"] = double(files);
}
BENCHMARK(BM_CrawlTree)->Unit(benchmark::kMillisecond)->Iterations(5);

// An index file of the first 10,000 score files of the tree.
const QString& indexOf10000() {
    static const QString path = [] {
        CFileIndex index;
        CIndexCrawler crawler(index, treeDrive);
        crawlAll(crawler);
        int kept = 0;
        for (CIndexedDirectory& directory : index.drives[0].directories) {
            if (kept >= 10000) directory.files.clear();
            kept += int(directory.files.size());
        }
        index.dropEmptyDirectories();
        const QString file = scratch->path() + QStringLiteral("/index10000.files");
        saveIndexFile(file, index);
        return file;
    }();
    return path;
}

// Loading the index file, dropping files gone since, and the rows of the list.
void BM_LoadIndex10000(benchmark::State& state) {
    const QString file = indexOf10000();
    for (auto _ : state) {
        CFileIndex index;
        loadIndexFile(file, index);
        dropMissingFiles(index);
        FileListModel model;
        model.setRows(rowsOfIndex(index));
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_LoadIndex10000)->Unit(benchmark::kMillisecond);

// The dialog opened on the 10,000-file index: from opening to the list shown and painted.
void BM_DialogOpensIndex10000(benchmark::State& state) {
    const QString file = indexOf10000();
    int rows = 0;
    for (auto _ : state) {
        FinderIndex index;
        index.file = file;
        index.drives = [] { return DriveList{}; };
        QElapsedTimer timer;
        timer.start();
        CFileFinderDialog dialog(index, [](const QString&) { return true; });
        QSignalSpy spy(&dialog, &CFileFinderDialog::workFinished);
        dialog.show();
        spy.wait(10000);
        dialog.list()->viewport()->repaint();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        rows = dialog.model()->rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_DialogOpensIndex10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The dialog scanning the whole tree: the longest time between two turns of its event
// loop (a 5 ms timer), while the rows come in and the progress moves.
void BM_DialogFrameDuringScan(benchmark::State& state) {
    treeRoot();
    double longest = 0;
    int rows = 0;
    for (auto _ : state) {
        FinderIndex index;
        index.file = scratch->path() + QStringLiteral("/scan.files");
        QFile::remove(index.file);
        index.drives = treeDrive;
        CFileFinderDialog dialog(index, [](const QString&) { return true; });
        dialog.list()->sortByColumn(FileListModel::kName, Qt::AscendingOrder);
        QElapsedTimer frame;
        QTimer ticks;
        ticks.setInterval(5);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (dialog.busy()) longest = std::max(longest, double(frame.nsecsElapsed()) / 1e6);
            frame.restart();
        });
        QElapsedTimer timer;
        timer.start();
        QSignalSpy spy(&dialog, &CFileFinderDialog::workFinished);
        frame.start();
        ticks.start();
        dialog.show();
        spy.wait(120000);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        rows = dialog.model()->rowCount();
    }
    state.counters["longest_frame_ms"] = longest;
    state.counters["rows"] = rows;
}
BENCHMARK(BM_DialogFrameDuringScan)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return runOffscreenBenchmarks(argc, argv, [](QTemporaryDir& root) { scratch = &root; });
}
