#include "app/finder/FinderWorker.h"

#include "app/finder/FinderTextIds.h"
#include "app/finder/IndexCrawler.h"
#include "app/finder/IndexFile.h"

namespace ks {

QString FinderIndex::filePath() const {
    return file.isEmpty() ? indexFilePath() : file;
}

FinderIndex& processFinderIndex() {
    static FinderIndex index;
    return index;
}

FinderWorker::FinderWorker(FinderIndex& index, FinderEvents events)
    : index_(index), events_(std::move(events)) {}

FinderWorker::~FinderWorker() {
    cancel();
    wait();
}

void FinderWorker::wait() {
    if (thread_.joinable()) thread_.join();
}

bool FinderWorker::open() {
    return start(&FinderWorker::openWork);
}

bool FinderWorker::scan() {
    return start(&FinderWorker::scanWork);
}

bool FinderWorker::start(void (FinderWorker::*work)()) {
    if (running_) return false;
    bool idle = false;
    if (!index_.busy.compare_exchange_strong(idle, true)) return false;  // another finder
    wait();
    cancel_ = false;
    running_ = true;
    thread_ = std::thread([this, work] { (this->*work)(); });
    return true;
}

void FinderWorker::finish(FinderOutcome outcome) {
    outcome.present = index_.present;
    outcome.fileCount = index_.present ? index_.index.fileCount() : 0;
    outcome.scanTime = index_.index.scanTime;
    running_ = false;
    index_.busy = false;
    if (events_.done) events_.done(outcome);
}

void FinderWorker::listIndex() {
    if (events_.status) events_.status(FinderText::CreatingList);
    if (events_.list)
        events_.list(index_.present ? rowsOfIndex(index_.index) : std::vector<FinderRow>{});
}

void FinderWorker::openWork() {
    if (!index_.present) {
        if (events_.status) events_.status(FinderText::LoadingIndex);
        CFileIndex loaded;
        if (!loadIndexFile(index_.filePath(), loaded)) {
            scanWork();
            return;
        }
        index_.index = std::move(loaded);
        index_.present = true;
    }
    // Files deleted since the scan are not offered.
    dropMissingFiles(index_.index);
    listIndex();
    finish({});
}

void FinderWorker::scanWork() {
    if (events_.status) events_.status(FinderText::Scanning);
    CFileIndex scanned;
    CIndexCrawler crawler(scanned, index_.drives);
    std::vector<FinderRow> batch;
    int64_t order = 0;
    crawler.fileFound = [&](const CIndexedDirectory& directory, const CIndexedFile& file) {
        batch.push_back({file.name, directory.name, -1, {}, order++});
    };
    auto report = [&](bool details) {
        if (!batch.empty() && events_.found) events_.found(std::exchange(batch, {}));
        if (!events_.progress) return;
        const CIndexCrawler::Counters& c = crawler.counters();
        events_.progress({details, c.folders, c.files, c.found, c.detailed});
    };
    auto runUntilFinished = [&](bool details) {
        for (int steps = 1; !crawler.finished(); ++steps) {
            if (cancel_) return false;
            crawler.Step();
            if (steps % kReportSteps == 0) report(details);
        }
        report(details);
        return true;
    };

    crawler.resetCounters();
    crawler.setState(CIndexCrawler::kStart);
    bool complete = runUntilFinished(false);
    if (complete) {
        crawler.resetCounters();
        crawler.setState(CIndexCrawler::kDetails);
        complete = runUntilFinished(true);
    }
    if (!complete) {
        // The index stays as it was; its list comes back.
        listIndex();
        finish({.cancelled = true});
        return;
    }
    index_.index = std::move(scanned);
    index_.present = true;
    listIndex();
    if (events_.status) events_.status(FinderText::SavingIndex);
    const bool saved = saveIndexFile(index_.filePath(), index_.index);
    finish({.saveFailed = !saved});
}

}  // namespace ks
