// The note-value table: how a duration is shown (head, rest, flags, dots). Lengths are
// in units L of a thirty-second note, ppqn / 8, or ppqn / 16 inside a tuplet, whose
// notes are written one value longer than they last.
#pragma once

#include <cstdint>

#include "model/Chord.h"

namespace ks {

enum class HeadKind { Filled, Hollow, Whole };

struct NoteValue {
    int32_t length;  // in L
    HeadKind head;
    char16_t headGlyph;
    char16_t restGlyph;
    char16_t flagUp;  // 0 = no flag
    char16_t flagDown;
    int32_t flags;  // number of flags (or beams)
    bool stem;
    int32_t dots;
};

constexpr int kNoteValueRows = 14;
const NoteValue& noteValueRow(int row);

// The row of a duration: the first whose length x L is at least the duration, so values
// between rows show as the next longer one; -1 when longer than the longest row (the
// chord is not drawn as notes) or when there is no usable unit.
int noteValueRowFor(int32_t duration, int32_t unitL);

// L for a chord: ppqn / 8, or ppqn / 16 for a chord inside a tuplet.
int32_t noteValueUnit(int32_t ppqn, int32_t chordFlags);

}  // namespace ks
