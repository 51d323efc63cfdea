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
}  // namespace ks::StringId
