// CEvent: a mark attached to a time (tempo, annotation, lyric, tuplet, ...).
#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>

#include "SortedArray.h"

namespace ks {

// Event types. The same number means different things in music tracks, the tempo
// track and the annotation track; the names give the music-track meaning unless noted.
namespace EventType {
constexpr int32_t Tuplet = 1;          // data0 = notes in the group, data1 = end tick
constexpr int32_t Tempo = 2;           // tempo track: data1 = beats per minute, data0 = 1
constexpr int32_t NoteMarks = 3;       // data0 = NoteMark bits, data1 = vertical offset in steps
constexpr int32_t Annotation = 4;      // annotation track: words, or a symbol when data0 = 1
constexpr int32_t Crescendo = 5;       // data0 = length in ticks
constexpr int32_t Diminuendo = 6;      // data0 = length in ticks
constexpr int32_t Lyric = 7;           // data0 = verse 0..3, data1 = horizontal adjustment
constexpr int32_t GraceNote = 8;       // data0 = own pitch, data1 = length, data2 = main pitch
constexpr int32_t Phrase = 9;          // data0 = 0 start / 1 end, data1..data4 pair the ends
constexpr int32_t SpellingRange = 10;  // chords from time up to data0 use the spelling points
constexpr int32_t SpellingSplit = 11;  // a split point inside a spelling range
constexpr int32_t SectionMarker = 12;  // annotation track: data1 = offset in bar, data2 = typed
}  // namespace EventType

// Bits of data0 of a note-marks event.
namespace NoteMark {
constexpr int32_t Accent = 0x01;
constexpr int32_t Finger1 = 0x02;  // fingering 1..5 are 0x02, 0x04, 0x08, 0x10, 0x20
constexpr int32_t Staccato = 0x40;
}  // namespace NoteMark

constexpr int32_t kEventPitchMax = 0x7F0000;

struct CEvent {
    int32_t time = 0;
    // Screen rectangle of the drawn mark, set by drawing for hit tests; not stored.
    int32_t rectLeft = 0, rectTop = 0, rectRight = 0, rectBottom = 0;
    QString text;
    int32_t type = 0;
    int32_t data[8] = {};
    int32_t pitch = 0;  // key number << 16, 0..0x7F0000
    int32_t fontindex = 0;

    // Key number of the event (pitch >> 16).
    int32_t key() const { return pitch >> 16; }
    // Store a key number, clamped to 0..127.
    void setKey(int32_t key) { pitch = std::clamp(key, 0, 127) << 16; }
    // Store a raw shifted pitch, clamped to 0..0x7F0000.
    void setPitch(int32_t shifted) { pitch = std::clamp(shifted, 0, kEventPitchMax); }

    // Events are ordered by time, pitch, type, data0..data7, then fontindex. The text
    // and the rectangle take no part: events differing only there count as equal.
    static int compare(const CEvent& a, const CEvent& b) {
        if (int c = compareInts(a.time, b.time)) return c;
        if (int c = compareInts(a.pitch, b.pitch)) return c;
        if (int c = compareInts(a.type, b.type)) return c;
        for (int i = 0; i < 8; ++i)
            if (int c = compareInts(a.data[i], b.data[i])) return c;
        return compareInts(a.fontindex, b.fontindex);
    }
    bool operator==(const CEvent&) const = default;
};

}  // namespace ks
