#include "MidiEvent.h"

#include "model/SortedArray.h"

namespace ks {

namespace {
constexpr std::array<int, 7> kDataBytes = {2, 2, 2, 2, 1, 1, 2};  // 0x8n .. 0xEn

bool isNoteOn(uint8_t status) {
    return (status & 0xF0) == 0x90;
}
}  // namespace

int midiDataByteCount(int status) {
    if (!isMidiChannelStatus(status)) return 0;
    return kDataBytes[static_cast<size_t>((status >> 4) - 8)];
}

int CMidiEvent::compare(const CMidiEvent& a, const CMidiEvent& b) {
    if (a.time != b.time) return compareInts(a.time, b.time);
    if (isNoteOn(a.status) != isNoteOn(b.status)) return isNoteOn(a.status) ? 1 : -1;
    if (a.status != b.status) return compareInts(a.status, b.status);
    for (size_t i = 0; i < a.data.size(); ++i)
        if (a.data[i] != b.data[i]) return compareInts(a.data[i], b.data[i]);
    return 0;
}

}  // namespace ks
