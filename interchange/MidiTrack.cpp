#include "MidiTrack.h"

#include <algorithm>
#include <limits>

namespace ks {

void CMidiTrack::AddNote(int32_t time, int key, int velocity, int32_t length) {
    const auto channelBits = static_cast<uint8_t>(channel & 0x0F);
    const auto k = static_cast<uint8_t>(std::clamp(key, 0, 127));
    const auto v = static_cast<uint8_t>(std::clamp(velocity, 0, 127));
    const int64_t end = static_cast<int64_t>(time) + std::max<int32_t>(length, 0);
    const auto offTime =
        static_cast<int32_t>(std::min<int64_t>(end, std::numeric_limits<int32_t>::max()));
    events.Add(CMidiEvent{time, static_cast<uint8_t>(0x90 | channelBits), {k, v, 0}});
    events.Add(CMidiEvent{offTime, static_cast<uint8_t>(0x80 | channelBits), {k, 0, 0}});
}

}  // namespace ks
