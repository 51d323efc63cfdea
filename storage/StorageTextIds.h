// Ids of the texts document storage shows.
#pragma once

#include "model/StringIds.h"

namespace ks::StringId {
constexpr int RestoreAutosaveFiles = 34197;
constexpr int FileCannotBeLoaded = 34198;
constexpr int AutosaveFilesLoaded = 34199;
constexpr int AutosaveFilesIgnored = 34200;
constexpr int AutoSaveStatus = 34267;
constexpr int OnlineLibrarySaveAs = 34358;
constexpr int SaveFailed = 40005;
constexpr int MidiFileNotDocument = 44502;     // "This file is not a Keystaves document: ..."
constexpr int MidiFileImportQuestion = 44503;  // the same, "Do you want to import it ...?"
}  // namespace ks::StringId
