// Ids of the texts only keystaves-cli shows.
#pragma once

namespace ks::StringId {
constexpr int InvalidExportResolution = 40230;  // "The resolution must lie between ..."
constexpr int NoSuchPage = 40231;               // "The score has no such page."
constexpr int TooManyPages = 44500;             // "The score has %d pages, more than %d: ..."
constexpr int PartialRead = 44501;              // "The file was not read completely, ..."
}  // namespace ks::StringId
