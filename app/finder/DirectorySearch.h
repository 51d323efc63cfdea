// One open folder listing for the crawl: its entries one at a time, with what kind each
// is, never following a symbolic link.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace ks {

class DirectorySearch {
  public:
    enum class Kind { Directory, File, Other };

    // The file system and inode of a folder: equal for the same folder however it was
    // reached (a bind mount shows the same folder under a second path).
    struct Identity {
        uint64_t device = 0, inode = 0;
        bool operator==(const Identity&) const = default;
    };

    DirectorySearch() = default;
    ~DirectorySearch();
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    // Opens the folder at `path` (native bytes). A symbolic link is refused unless
    // `followLink` (for a drive's root). False when it cannot be opened.
    bool open(const QByteArray& path, bool followLink);
    bool isOpen() const { return dir_ != nullptr; }
    Identity identity() const { return identity_; }

    // The next entry other than "." and ".."; false at the end. `name` stays valid until
    // the next call. Symbolic links are of kind Other.
    bool next(const char*& name, Kind& kind);
    void close();

  private:
    void* dir_ = nullptr;  // the system's DIR
    Identity identity_;
};

}  // namespace ks
