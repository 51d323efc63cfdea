// The facts the finder shows for a selected file: its title, bars, pages and playing
// time, read into a score of its own (no open document changes).
#pragma once

#include <QString>

namespace ks {

struct FileDetails {
    bool ok = false;
    QString title;  // the load error's message when the file could not be read
    QString bars, pages, length;
};

FileDetails readFileDetails(const QString& path);

}  // namespace ks
