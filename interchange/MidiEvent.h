// CMidiEvent: one channel message of a MIDI track at an absolute tick.
#pragma once

#include <array>
#include <cstdint>

namespace ks {

struct CMidiEvent {
    int32_t time = 0;               // absolute ticks from the start of the track
    uint8_t status = 0;             // 0x8n..0xEn channel message
    std::array<uint8_t, 3> data{};  // bytes the message does not use are 0

    // Order of a track's events: by time; at one tick every event that is not a note-on
    // comes first, so a repeated note is released before it is struck again; then by
    // status and data bytes. Events comparing equal are duplicates.
    static int compare(const CMidiEvent& a, const CMidiEvent& b);

    bool operator==(const CMidiEvent&) const = default;
};

// True for the channel messages 0x80..0xEF, the only statuses a track's events hold.
constexpr bool isMidiChannelStatus(int status) {
    return status >= 0x80 && status <= 0xEF;
}

// Number of data bytes that follow a channel status (reading and writing both use it);
// 0 for a status that is not a channel message.
int midiDataByteCount(int status);

}  // namespace ks
