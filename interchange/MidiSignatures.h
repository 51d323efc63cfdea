// Time and key signatures of a MIDI file, kept by the file in time order.
#pragma once

#include <cstdint>

namespace ks {

struct CMidiTimeSig {
    int32_t time = 0;
    int32_t numerator = 4;
    int32_t denominator = 4;  // the note value itself (4, 8, ...), not its logarithm

    bool operator==(const CMidiTimeSig&) const = default;
};

struct CMidiKeySig {
    int32_t time = 0;
    int32_t key = 0;  // -7..7: flats negative, sharps positive
    bool minor = false;

    bool operator==(const CMidiKeySig&) const = default;
};

}  // namespace ks
