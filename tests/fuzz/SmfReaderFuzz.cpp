// libFuzzer target for the MIDI file reader. Besides surviving any input, a file that
// reads without error must read back with the same events and signatures after writing.
#include "interchange/MidiFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

[[noreturn]] void fail() {
    __builtin_trap();
}

void checkRoundTrip(const ks::CMidiFile& file) {
    std::vector<const ks::CMidiTrack*> withEvents;
    for (const ks::CMidiTrack& track : file.tracks)
        if (!track.events.empty()) withEvents.push_back(&track);
    if (withEvents.size() >= 0xFFFF) return;  // more than one format 1 file can hold

    ks::CMidiFile back;
    const ks::MidiResult result = back.readBytes(file.toBytes());
    if (!result.ok || back.tracks.size() != withEvents.size() + 1) fail();
    for (size_t i = 0; i < withEvents.size(); ++i)
        if (back.tracks[i + 1].events.items() != withEvents[i]->events.items()) fail();
    // A whole-note denominator (1) is written with the exponent of 2, as 2/2 is.
    std::vector<ks::CMidiTimeSig> timeSigs = file.timeSigs;
    for (ks::CMidiTimeSig& sig : timeSigs)
        sig.denominator = std::max(sig.denominator, 2);
    if (back.timeSigs != timeSigs || back.keySigs != file.keySigs) fail();
    if (back.division != std::clamp(file.division, 1, 0x7FFF)) fail();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ks::CMidiFile file;
    const ks::MidiResult result = file.readBytes(QByteArrayView(data, qsizetype(size)));
    // Every failure has a message to show and success has none.
    if (result.ok == !result.messages.isEmpty()) fail();
    for (const ks::CMidiTrack& track : file.tracks)
        for (const ks::CMidiEvent& e : track.events)
            if (e.time < 0 || !ks::isMidiChannelStatus(e.status) || e.data[0] > 127 ||
                e.data[1] > 127 || e.data[2] != 0)
                fail();
    if (result.ok) checkRoundTrip(file);
    return 0;
}
