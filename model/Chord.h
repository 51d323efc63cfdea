// CChord: the notes of one track that start at one time, up to the next note
// boundary. A chord without notes is a rest.
#pragma once

#include <cstdint>

#include "SortedArray.h"

namespace ks {

namespace ChordFlag {
constexpr int32_t Rest = 0x001;
constexpr int32_t TieStart = 0x002;
constexpr int32_t TieEnd = 0x004;
constexpr int32_t Tuplet = 0x008;    // inside a tuplet span (type-1 event)
constexpr int32_t Spelling = 0x010;  // inside a note spelling range (type-10 event)
constexpr int32_t StemUp = 0x200;    // stem direction copied from the first note
constexpr int32_t StemDown = 0x400;
}  // namespace ChordFlag

struct CChord {
    int32_t time = 0;
    int32_t duration = 0;
    int32_t firstNote = 0;    // index of the first note in the track's notes
    int32_t noteCount = 0;    // 0 = rest
    int32_t flags = 0;        // ChordFlag bits
    int32_t stemBalance = 0;  // negative = stem down when the direction is automatic
    int32_t bar = 0;
    int32_t beam = -1;  // index into the track's beams, -1 = not beamed
    int32_t pitchHigh = 60;
    int32_t pitchLow = 60;
    int32_t layout[7] = {};  // working fields for layout and drawing

    int32_t end() const { return time + duration; }
    bool isRest() const { return noteCount == 0; }

    static int compare(const CChord& a, const CChord& b) { return compareInts(a.time, b.time); }
    bool operator==(const CChord&) const = default;
};

}  // namespace ks
