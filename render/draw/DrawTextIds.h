// Ids of the text-table texts the page drawing shows.
#pragma once

namespace ks::DrawTextId {
constexpr int PageOfPages = 40228;  // "Page %d of %d"
constexpr int Copyright = 40229;    // "© %s"
}  // namespace ks::DrawTextId
