// The finder's background work: loading the index and listing it, or scanning the drives
// when there is no index, and Scan Now. It runs on a worker thread of its own and reports
// only through the events, which are called on that thread; the dialog turns them into
// queued calls. One piece of work runs at a time; the process's index is touched only by
// it while it runs.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "app/finder/FileIndexRecords.h"
#include "app/finder/FileListModel.h"
#include "app/finder/FixedDrives.h"

namespace ks {

// The index of the process: created on first use and kept until exit, so that every
// opening of the finder shares it.
struct FinderIndex {
    CFileIndex index;
    bool present = false;  // loaded from the index file or made by a scan
    // The drives a scan crawls, and the index file; tests point both elsewhere.
    std::function<DriveList()> drives = fixedDrives;
    QString file;  // empty: "Keystave.files" in the data folder
    std::atomic<bool> busy{false};

    QString filePath() const;
};
FinderIndex& processFinderIndex();

struct ScanProgress {
    bool details = false;  // reading sizes and dates (else listing folders)
    int64_t folders = 0;
    int64_t files = 0;     // files seen
    int64_t found = 0;     // score files found
    int64_t detailed = 0;  // score files whose details were read
};

struct FinderOutcome {
    int fileCount = 0;
    int64_t scanTime = 0;
    bool present = false;    // there is an index to summarise
    bool cancelled = false;  // a scan was cancelled: the index is as it was before it
    bool saveFailed = false;
};

struct FinderEvents {
    std::function<void(int textId)> status;
    std::function<void(const ScanProgress&)> progress;  // every 1024 steps of a scan
    std::function<void(std::vector<FinderRow>)> found;  // rows found by the listing
    std::function<void(std::vector<FinderRow>)> list;   // the whole list
    std::function<void(const FinderOutcome&)> done;
};

class FinderWorker {
  public:
    static constexpr int kReportSteps = 1024;

    FinderWorker(FinderIndex& index, FinderEvents events);
    // Cancels a running scan and waits for the worker.
    ~FinderWorker();
    FinderWorker(const FinderWorker&) = delete;
    FinderWorker& operator=(const FinderWorker&) = delete;

    // Lists the index, reading the index file first when the process has none yet;
    // scans when it cannot be read. False when work is running already.
    bool open();
    // Scan Now. False when work is running already.
    bool scan();
    // Asks a running scan to stop; the index stays as it was before the scan.
    void cancel() { cancel_ = true; }
    bool running() const { return running_; }
    // Waits until the work has ended (for tests and shutdown).
    void wait();

  private:
    bool start(void (FinderWorker::*work)());
    void openWork();
    void scanWork();
    void finish(FinderOutcome outcome);
    void listIndex();

    FinderIndex& index_;
    FinderEvents events_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
};

}  // namespace ks
