// Ids of the texts only keystaves-cli shows.
#pragma once

namespace ks::StringId {
constexpr int InvalidExportResolution = 40230;  // "The resolution must lie between ..."
constexpr int NoSuchPage = 40231;               // "The score has no such page."
}  // namespace ks::StringId
