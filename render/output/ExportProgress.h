// How an export reports its progress: after each page it calls the callback with the
// pages done and the pages in all; a false answer stops the export (the user
// cancelled), which then writes nothing more.
#pragma once

#include <functional>

namespace ks {

using ExportProgress = std::function<bool(int done, int total)>;

// Whether the export goes on after `done` of `total` pages (always without a callback).
inline bool continueExport(const ExportProgress& progress, int done, int total) {
    return !progress || progress(done, total);
}

}  // namespace ks
