// Writing a block of bytes to a file so that failure is reported and leaves the file as
// it was.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace ks {

// Replaces the file's content with `bytes`, or appends them. Returns false when anything
// fails: opening, a short write (a full disk), flushing or closing.
// Replacing writes a temporary file beside the target and renames it over the target
// when complete, so a failure keeps the old content. Where no temporary file can be
// made (a folder without write access, a device) the target is written directly.
// Appending cuts the file back to its old length after a failed write.
bool writeFileBytes(const QString& path, QByteArrayView bytes, bool append);

}  // namespace ks
