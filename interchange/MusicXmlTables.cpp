#include "interchange/MusicXmlTables.h"

#include <array>

namespace ks {

namespace {

// Ten rows of twelve pitch classes (C .. B): rows for key codes 0, 1, 2-7, 8 .. 14 (taken
// modulo 15); the letter written, and its alteration as '1' sharp, '0' natural, '-' flat.
constexpr std::string_view kSteps =
    "BCDDEEFGGAAB"
    "CCDDEEFGGAAB"
    "CCDDEFFGGAAB"
    "CCDDEFFGGABB"
    "CCDEEFFGGABB"
    "CCDEEFFGAABB"
    "CDDEEFFGAABB"
    "CDDEEFGGAABB"
    "CDDEEFGGAABC"
    "CDDEFFGGAABC";
constexpr std::string_view kAlters =
    "110101101010"
    "010101101010"
    "010100101010"
    "0101001010-0"
    "010-001010-0"
    "010-0010-0-0"
    "0-0-0010-0-0"
    "0-0-00-0-0-0"
    "0-0-00-0-0--"
    "0-0--0-0-0--";

int rowOfKey(int32_t code) {
    const int k = code < 0 ? 7 : code % 15;
    if (k <= 1) return k;
    if (k <= 7) return 2;
    return k - 5;
}

constexpr std::array<std::string_view, kTypeCount> kTypeNames = {"whole",  "half", "quarter",
                                                                 "eighth", "16th", "32nd"};

struct ValueEntry {
    int32_t length;  // in 32nd notes
    int dots;
};
constexpr std::array<ValueEntry, 16> kValues = {{{1, 0},
                                                 {2, 0},
                                                 {3, 1},
                                                 {4, 0},
                                                 {6, 1},
                                                 {7, 2},
                                                 {8, 0},
                                                 {12, 1},
                                                 {14, 2},
                                                 {16, 0},
                                                 {24, 1},
                                                 {28, 2},
                                                 {32, 0},
                                                 {48, 1},
                                                 {56, 2},
                                                 {64, 0}}};

int64_t ticksOf(const ValueEntry& e, int32_t ppqn) {
    return int64_t(e.length) * ppqn / 8;
}

}  // namespace

SpelledPitch spellPitch(int32_t pitch, int32_t code) {
    const int pc = ((pitch % 12) + 12) % 12;
    const size_t at = size_t(rowOfKey(code) * 12 + pc);
    SpelledPitch s;
    s.step = kSteps[at];
    s.alter = kAlters[at] == '1' ? 1 : kAlters[at] == '-' ? -1 : 0;
    // The octave is that of the natural note the step names: B sharp (a C) belongs to the
    // octave below, C flat (a B) to the octave above.
    const int32_t natural = pitch - s.alter;
    s.octave = (natural >= 0 ? natural / 12 : (natural - 11) / 12) - 1;
    return s;
}

int32_t fifthsOfKey(int32_t code) {
    return code < 0 ? 0 : 7 - code % 15;
}

bool needsAccidental(int32_t pitch, int32_t code) {
    static constexpr std::array<bool, 12> black = {false, true,  false, true,  false, false,
                                                   true,  false, true,  false, true,  false};
    const int32_t tonic = ((fifthsOfKey(code) * 7) % 12 + 12) % 12;
    return black[size_t(((pitch - tonic) % 12 + 12) % 12)];
}

std::string_view typeName(int type) {
    return kTypeNames[size_t(type < 0 ? 0 : type >= kTypeCount ? kTypeCount - 1 : type)];
}

int noteTypeFor(int32_t duration, int32_t ppqn, bool tuplet) {
    int type = 0;
    int64_t value = int64_t(ppqn) * 4;
    while (type < kTypeCount - 1 && value > duration) {
        value /= 2;
        ++type;
    }
    if (tuplet && type > 0) --type;
    return type;
}

int dotsFor(int32_t duration, int32_t ppqn) {
    for (const ValueEntry& e : kValues)
        if (ticksOf(e, ppqn) >= duration) return e.dots;
    return 0;
}

bool isNoteValue(int32_t duration, int32_t ppqn) {
    for (const ValueEntry& e : kValues)
        if (ticksOf(e, ppqn) == duration) return true;
    return false;
}

int32_t longestNoteValueWithin(int32_t duration, int32_t ppqn) {
    int64_t best = 0;
    for (const ValueEntry& e : kValues)
        if (ticksOf(e, ppqn) <= duration && ticksOf(e, ppqn) > best) best = ticksOf(e, ppqn);
    return int32_t(best);
}

std::string_view dynamicsElement(char16_t symbol) {
    static constexpr std::array<std::string_view, 11> names = {"ppp", "pp", "p",   "mp", "m", "mf",
                                                               "f",   "ff", "fff", "fz", "sf"};
    if (symbol < u'!' || symbol > u'+') return {};
    return names[size_t(symbol - u'!')];
}

}  // namespace ks
