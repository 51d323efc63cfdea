// The records of the file index: the drives crawled, the folders on them that hold score
// files, and those files with their size and times.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace ks {

// A local date and time to the second, as the index file stores it.
struct CFileTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    // The local time of `secondsSince1970`.
    static CFileTime fromSeconds(int64_t secondsSince1970);
    // Seconds since 1970 of this local time; 0 for the empty time.
    int64_t toSeconds() const;
    bool isEmpty() const { return year == 0; }

    auto operator<=>(const CFileTime&) const = default;
};

struct CIndexedFile {
    QString name;
    CFileTime created, accessed, modified;
    int64_t size = 0;
};

struct CIndexedDirectory {
    QString name;  // full path
    std::vector<CIndexedFile> files;
};

struct CIndexedDrive {
    QString name;  // the drive's root folder
    std::vector<CIndexedDirectory> directories;
};

// The index: the drives with their folders and files, and when the scan was made.
struct CFileIndex {
    std::vector<CIndexedDrive> drives;
    int64_t scanTime = 0;  // seconds since 1970

    int fileCount() const;
    // Drops the folders that hold no files.
    void dropEmptyDirectories();
};

// Whether a file name marks a score file: the text from its last "." is exactly ".ksv",
// ".tpm", ".KSV" or ".TPM" (other mixtures of case are not score files).
bool isScoreFileName(QStringView name);

}  // namespace ks
