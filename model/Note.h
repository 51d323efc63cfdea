// CNote: one note of a track.
#pragma once

#include <cstdint>

#include "SortedArray.h"

namespace ks {

namespace NoteFlag {
constexpr int32_t TieStart = 0x002;  // tied to the next note
constexpr int32_t TieEnd = 0x004;    // continues a tied note
constexpr int32_t Tuplet = 0x010;    // belongs to a tuplet
constexpr int32_t Trill = 0x020;     // carries a trill
constexpr int32_t Grace = 0x080;     // has a grace note (a type-8 event)
constexpr int32_t Spelling = 0x100;  // inside a note spelling range (type-10 event)
constexpr int32_t StemUp = 0x200;    // stem forced up
constexpr int32_t StemDown = 0x400;  // stem forced down
constexpr int32_t StemMask = StemUp | StemDown;
constexpr int32_t TieMask = TieStart | TieEnd;
}  // namespace NoteFlag

constexpr int32_t kDefaultVelocity = 100;

struct CNote {
    int32_t time = 0;      // start, ticks
    int32_t duration = 0;  // length, ticks
    int32_t flags = 0;     // NoteFlag bits; unknown bits are kept
    int32_t pitch = 60;    // MIDI key number
    int32_t velocity = kDefaultVelocity;
    int32_t work0 = 0;  // working values, not stored
    int32_t work1 = 0;

    int32_t end() const { return time + duration; }

    // Notes are ordered by time, then pitch; two notes with both equal are the same note.
    static int compare(const CNote& a, const CNote& b) {
        if (int c = compareInts(a.time, b.time)) return c;
        return compareInts(a.pitch, b.pitch);
    }
    bool operator==(const CNote&) const = default;
};

}  // namespace ks
