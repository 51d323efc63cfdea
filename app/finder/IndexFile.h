// The index file "Keystave.files" in the data folder, read and written with the markup
// reader and writer:
//   <indexer updated="2026.12.11.13.05.09">
//     <drive name="/home/ann">
//       <directory name="/home/ann/Music">
//         <file name="Minuet.ksv" size="5120" created="..." accessed="..." modified="..." />
//       </directory>
//     </drive>
//   </indexer>
// Times are local, as "%Y.%m.%d.%H.%M.%S".
#pragma once

#include <QString>

#include "app/finder/FileIndexRecords.h"

namespace ks {

// "Keystave.files" in the data folder.
QString indexFilePath();

// Index files larger than this are not read (a hand-made file could ask for any amount
// of memory); the finder scans instead.
constexpr qint64 kMaxIndexFileSize = qint64(64) << 20;

// A time as the index file writes it, and read back ("%4d.%2d.%2d.%2d.%2d.%2d"); an
// unreadable text gives the empty time.
QString indexTimeText(const CFileTime& time);
CFileTime parseIndexTime(const QString& text);

// Writes the index (creating the data folder when needed). A folder or file whose
// element would be too long for the reader to take back is left out. False when the
// file could not be written; the previous file is then kept.
bool saveIndexFile(const QString& path, const CFileIndex& index);

// Reads an index file into `index` (replacing it). False, leaving `index` empty, when the
// file is missing, too large, not an index, cut short (no closing "indexer" tag) or has
// no readable scan time. Entries that cannot name a score file (not a score file name, a
// name with a "/", a folder that is not an absolute path) are left out.
bool loadIndexFile(const QString& path, CFileIndex& index);

// Drops the files that no longer exist as regular files, and folders left empty.
// Returns how many files were dropped.
int dropMissingFiles(CFileIndex& index);

}  // namespace ks
