// The crawl that builds the file index, one small unit of work per Step so that a worker
// thread can report progress and stop between steps. States:
//   0 start: the drives are listed, each with its root as the only folder to visit;
//   1 while that runs; 2 one folder-listing step; 3 the scan time is recorded and folders
//   without score files are dropped; 4 one file-details step (size and times);
//   5 finished. States 1 and 5 do nothing; any other value starts again at 0.
// Folders are visited breadth-first. Names starting with "." are hidden and skipped; so
// are symbolic links (never followed), devices, pipes and sockets, mount points of other
// file systems, folders already visited under another path (bind mounts), folders that
// cannot be opened, and names that are not valid in the file-name encoding.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <unordered_set>

#include "app/finder/DirectorySearch.h"
#include "app/finder/FileIndexRecords.h"
#include "app/finder/FixedDrives.h"

namespace ks {

class CIndexCrawler {
  public:
    enum State : int {
        kStart = 0,
        kListingDrives = 1,
        kListing = 2,
        kTidying = 3,
        kDetails = 4,
        kFinished = 5,
    };

    // Fills `index`; `drives` lists the drives when a crawl starts.
    CIndexCrawler(CFileIndex& index, std::function<DriveList()> drives);

    int state() const { return state_; }
    // Sets the state; state 4 starts the details at the first file.
    void setState(int state);
    // Seconds since 1970 for the scan time; unset = the clock.
    std::function<int64_t()> clock;
    // Called for each score file as the listing finds it (before its details are read).
    std::function<void(const CIndexedDirectory&, const CIndexedFile&)> fileFound;

    // Advances the crawl by one unit of work.
    void Step();
    bool finished() const { return state_ == kFinished; }

    // What the crawl has seen since the counters were last reset.
    struct Counters {
        int64_t folders = 0;   // folders listed
        int64_t files = 0;     // files seen, score files or not
        int64_t found = 0;     // score files found
        int64_t detailed = 0;  // score files whose details were read
    };
    const Counters& counters() const { return counters_; }
    void resetCounters() { counters_ = {}; }

  private:
    void start();
    void listingStep();
    void enterNextFolder();
    void addEntry(const char* name, DirectorySearch::Kind kind);
    void tidy();
    void detailsStep();

    CFileIndex& index_;
    int state_ = kStart;
    std::function<DriveList()> listDrives_;
    DriveList driveList_;
    Counters counters_;

    // Listing: the current drive, the folders of it still to visit and the open one.
    size_t drive_ = 0;
    std::deque<QString> pending_;
    QString folder_;
    bool folderInIndex_ = false;  // the open folder has its record in the index
    DirectorySearch search_;

    struct IdentityHash {
        size_t operator()(const DirectorySearch::Identity& id) const {
            return std::hash<uint64_t>()(id.inode * 0x9E3779B97F4A7C15ull ^ id.device);
        }
    };
    std::unordered_set<DirectorySearch::Identity, IdentityHash> visited_;

    // Details: the next file to read.
    size_t detailDrive_ = 0, detailDirectory_ = 0, detailFile_ = 0;
    bool missingFiles_ = false;
};

}  // namespace ks
