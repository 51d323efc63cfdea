#include "app/finder/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks {

namespace {

DirectorySearch::Kind kindOfMode(mode_t mode) {
    if (S_ISDIR(mode)) return DirectorySearch::Kind::Directory;
    if (S_ISREG(mode)) return DirectorySearch::Kind::File;
    return DirectorySearch::Kind::Other;
}

DIR* asDir(void* dir) {
    return static_cast<DIR*>(dir);
}

}  // namespace

DirectorySearch::~DirectorySearch() {
    close();
}

bool DirectorySearch::open(const QByteArray& path, bool followLink) {
    close();
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::open(path.constData(), flags);
    if (fd < 0) return false;
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        ::close(fd);
        return false;
    }
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return false;
    }
    dir_ = dir;
    identity_ = {uint64_t(status.st_dev), uint64_t(status.st_ino)};
    return true;
}

bool DirectorySearch::next(const char*& name, Kind& kind) {
    if (dir_ == nullptr) return false;
    for (;;) {
        const dirent* entry = readdir(asDir(dir_));
        if (entry == nullptr) return false;
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
        name = n;
        switch (entry->d_type) {
            case DT_DIR:
                kind = Kind::Directory;
                return true;
            case DT_REG:
                kind = Kind::File;
                return true;
            case DT_UNKNOWN: {
                // Some file systems leave the type out: ask without following a link.
                struct stat status {};
                kind = fstatat(dirfd(asDir(dir_)), n, &status, AT_SYMLINK_NOFOLLOW) == 0
                           ? kindOfMode(status.st_mode)
                           : Kind::Other;
                return true;
            }
            default:
                kind = Kind::Other;  // links, devices, pipes, sockets
                return true;
        }
    }
}

void DirectorySearch::close() {
    if (dir_ != nullptr) closedir(asDir(dir_));
    dir_ = nullptr;
}

}  // namespace ks
