#include "app/finder/IndexCrawler.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

#include "storage/AppPaths.h"

namespace ks {

namespace {

// The name as text when it is valid UTF-8 (the file-name encoding), else empty: such a
// name could not be opened again by its text.
QString decodedName(const char* name) {
    const char* p = name;
    while (*p != 0 && static_cast<unsigned char>(*p) < 0x80)
        ++p;
    if (*p == 0) return QString::fromLatin1(name, p - name);
    const QByteArray bytes(name);
    QString text = QFile::decodeName(bytes);
    if (QFile::encodeName(text) != bytes) return {};
    return text;
}

CFileTime timeOf(const struct statx_timestamp& t) {
    return CFileTime::fromSeconds(int64_t(t.tv_sec));
}

// Size and times of a regular file, without following a link; false when it is gone
// or no longer a regular file.
bool readDetails(const QString& path, CIndexedFile& file) {
    struct statx status {};
    if (statx(AT_FDCWD, QFile::encodeName(path).constData(), AT_SYMLINK_NOFOLLOW,
              STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return false;
    if (!S_ISREG(status.stx_mode)) return false;
    file.size = int64_t(status.stx_size);
    file.modified = timeOf(status.stx_mtime);
    file.accessed = timeOf(status.stx_atime);
    // Not every file system keeps the birth time.
    file.created = (status.stx_mask & STATX_BTIME) != 0 ? timeOf(status.stx_btime) : file.modified;
    return true;
}

}  // namespace

CIndexCrawler::CIndexCrawler(CFileIndex& index, std::function<DriveList()> drives)
    : index_(index), listDrives_(std::move(drives)) {}

void CIndexCrawler::setState(int state) {
    state_ = state;
    if (state_ == kDetails) {
        detailDrive_ = detailDirectory_ = detailFile_ = 0;
        missingFiles_ = false;
    }
}

void CIndexCrawler::Step() {
    switch (state_) {
        case kStart:
            start();
            break;
        case kListing:
            listingStep();
            break;
        case kTidying:
            tidy();
            break;
        case kDetails:
            detailsStep();
            break;
        case kListingDrives:
        case kFinished:
            break;
        default:
            state_ = kStart;
            break;
    }
}

void CIndexCrawler::start() {
    state_ = kListingDrives;
    search_.close();
    visited_.clear();
    index_.drives.clear();
    driveList_ = listDrives_ ? listDrives_() : DriveList{};
    for (const QString& root : driveList_.roots) {
        const QString real = QFileInfo(root).canonicalFilePath();
        if (real.isEmpty()) continue;
        if (std::any_of(index_.drives.begin(), index_.drives.end(),
                        [&](const CIndexedDrive& d) { return d.name == real; }))
            continue;
        index_.drives.push_back({real, {}});
    }
    drive_ = 0;
    pending_.clear();
    if (!index_.drives.empty()) pending_.push_back(index_.drives.front().name);
    state_ = kListing;
}

void CIndexCrawler::listingStep() {
    if (drive_ >= index_.drives.size()) {
        state_ = kTidying;
        return;
    }
    if (!search_.isOpen()) {
        enterNextFolder();
        return;
    }
    const char* name = nullptr;
    DirectorySearch::Kind kind = DirectorySearch::Kind::Other;
    if (!search_.next(name, kind)) {
        search_.close();
        return;
    }
    addEntry(name, kind);
}

void CIndexCrawler::enterNextFolder() {
    if (pending_.empty()) {
        // This drive is done: the next one follows.
        if (++drive_ < index_.drives.size()) pending_.push_back(index_.drives[drive_].name);
        return;
    }
    folder_ = std::move(pending_.front());
    pending_.pop_front();
    const bool root = folder_ == index_.drives[drive_].name;
    if (!search_.open(QFile::encodeName(folder_), root)) return;  // unreadable: skipped
    if (!visited_.insert(search_.identity()).second) {
        search_.close();  // seen under another path already
        return;
    }
    folderInIndex_ = false;
    ++counters_.folders;
}

void CIndexCrawler::addEntry(const char* name, DirectorySearch::Kind kind) {
    if (name[0] == '.' || kind == DirectorySearch::Kind::Other) return;
    if (kind == DirectorySearch::Kind::File) ++counters_.files;
    const QString text = decodedName(name);
    if (text.isEmpty()) return;
    if (kind == DirectorySearch::Kind::Directory) {
        QString path = pathIn(folder_, text);
        if (!driveList_.mountPoints.contains(path)) pending_.push_back(std::move(path));
        return;
    }
    if (!isScoreFileName(text)) return;
    CIndexedDrive& drive = index_.drives[drive_];
    if (!folderInIndex_) {
        drive.directories.push_back({folder_, {}});
        folderInIndex_ = true;
    }
    CIndexedDirectory& directory = drive.directories.back();
    directory.files.push_back({text, {}, {}, {}, 0});
    ++counters_.found;
    if (fileFound) fileFound(directory, directory.files.back());
}

void CIndexCrawler::tidy() {
    index_.scanTime = clock ? clock() : QDateTime::currentSecsSinceEpoch();
    index_.dropEmptyDirectories();
    state_ = kFinished;
}

void CIndexCrawler::detailsStep() {
    // Moves to the next file, passing over folders and drives without files.
    while (detailDrive_ < index_.drives.size()) {
        CIndexedDrive& drive = index_.drives[detailDrive_];
        if (detailDirectory_ >= drive.directories.size()) {
            ++detailDrive_;
            detailDirectory_ = detailFile_ = 0;
            continue;
        }
        CIndexedDirectory& directory = drive.directories[detailDirectory_];
        if (detailFile_ >= directory.files.size()) {
            ++detailDirectory_;
            detailFile_ = 0;
            continue;
        }
        CIndexedFile& file = directory.files[detailFile_++];
        if (!readDetails(pathIn(directory.name, file.name), file)) {
            file.size = -1;  // gone since the listing: dropped below
            missingFiles_ = true;
        }
        ++counters_.detailed;
        return;
    }
    if (missingFiles_) {
        for (CIndexedDrive& drive : index_.drives)
            for (CIndexedDirectory& directory : drive.directories)
                std::erase_if(directory.files, [](const CIndexedFile& f) { return f.size < 0; });
        index_.dropEmptyDirectories();
    }
    state_ = kFinished;
}

}  // namespace ks
