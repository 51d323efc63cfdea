// CSelection: the cursor and selection record a score keeps and saves with undo steps.
#pragma once

#include <cstdint>

namespace ks {

// View modes held in `mode`.
namespace ViewMode {
constexpr int32_t Page = 1;
constexpr int32_t Layout = 2;
constexpr int32_t Music = 3;
constexpr int32_t TrackSelect = 5;
}  // namespace ViewMode

struct CSelection {
    int32_t hand = 0;  // current part 0..3
    int32_t mode = ViewMode::Page;
    int32_t timestart = 0;
    int32_t timeend = 1;
    int32_t pitchlo = 60;
    int32_t pitchhi = 60;
    int32_t lyricindex = 0;
    int32_t layoutindex = 0;
    int32_t layoutbar = 0;
    int32_t selecttrack = -1;

    bool operator==(const CSelection&) const = default;
};

}  // namespace ks
