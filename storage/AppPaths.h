// The folders the program keeps its files in. Both can be redirected by environment
// variables, which is how tests give every case a folder of its own.
#pragma once

#include <QString>

namespace ks {

// The folder for temporary files (undo snapshots, autosave files and their log):
// KEYSTAVES_TEMP_DIR when set, else the system's temporary folder. No trailing slash.
QString tempFolder();

// The per-user data folder (default settings, colour schemes, file index):
// KEYSTAVES_DATA_DIR when set, else the application data location + "/Keystaves".
QString dataFolder();

// `name` inside `folder`, joined with one separator.
QString pathIn(const QString& folder, const QString& name);

}  // namespace ks
