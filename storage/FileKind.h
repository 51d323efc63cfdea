// Telling a file's kind by its first bytes, for files whose name says something else.
#pragma once

#include <QString>

namespace ks {

// Whether the file starts like a standard MIDI file (a "MThd" header chunk).
bool looksLikeMidiFile(const QString& path);

}  // namespace ks
