// The fixed tables of MusicXML writing: pitch spelling by key, note types and dots by
// length, and the dynamics of the symbol font.
#pragma once

#include <cstdint>
#include <string_view>

namespace ks {

struct SpelledPitch {
    char step = 'C';
    int alter = 0;   // +1 sharp, 0 natural, -1 flat
    int octave = 4;  // of the written step: B sharp lies an octave below the C it sounds
};

// How `pitch` is written in key `code` (0..29; -1 = no key, written as C major).
SpelledPitch spellPitch(int32_t pitch, int32_t code);

// Whether the pitch lies on a black key counted from the major tonic of key `code`: such
// notes carry a written accidental.
bool needsAccidental(int32_t pitch, int32_t code);

// Sharps (positive) or flats of key `code`.
int32_t fifthsOfKey(int32_t code);

// Note type index: 0 whole, 1 half, 2 quarter, 3 eighth, 4 16th, 5 32nd.
constexpr int kTypeCount = 6;
std::string_view typeName(int type);

// The first type, starting from a whole note and halving, not longer than `duration`
// (32nd at the shortest); one step longer for tuplet notes.
int noteTypeFor(int32_t duration, int32_t ppqn, bool tuplet);

// The dots the note value table gives a duration: those of its first entry (in 32nd
// notes) whose length reaches `duration`; none past the longest entry.
int dotsFor(int32_t duration, int32_t ppqn);

// Whether `duration` is exactly one entry of the note value table (a plain or dotted value).
bool isNoteValue(int32_t duration, int32_t ppqn);

// The longest entry of the note value table not longer than `duration`, in ticks;
// 0 when even a 32nd note is longer.
int32_t longestNoteValueWithin(int32_t duration, int32_t ppqn);

// The MusicXML element of a dynamics symbol character ("ppp" .. "sf"), or empty.
std::string_view dynamicsElement(char16_t symbol);

}  // namespace ks
