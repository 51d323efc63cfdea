#include "app/finder/FileIndexRecords.h"

#include <ctime>
#include <vector>

namespace ks {

CFileTime CFileTime::fromSeconds(int64_t secondsSince1970) {
    const time_t t = time_t(secondsSince1970);
    struct tm local {};
    if (localtime_r(&t, &local) == nullptr) return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

int64_t CFileTime::toSeconds() const {
    if (isEmpty()) return 0;
    struct tm local {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;  // the zone's rule for that day decides
    const time_t t = mktime(&local);
    return t == time_t(-1) ? 0 : int64_t(t);
}

int CFileIndex::fileCount() const {
    int count = 0;
    for (const CIndexedDrive& drive : drives)
        for (const CIndexedDirectory& directory : drive.directories)
            count += int(directory.files.size());
    return count;
}

void CFileIndex::dropEmptyDirectories() {
    for (CIndexedDrive& drive : drives)
        std::erase_if(drive.directories,
                      [](const CIndexedDirectory& d) { return d.files.empty(); });
}

bool isScoreFileName(QStringView name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    const QStringView extension = name.mid(dot);
    return extension == u".ksv" || extension == u".tpm" || extension == u".KSV" ||
           extension == u".TPM";
}

}  // namespace ks
