#include "NoteValues.h"

#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

using namespace glyph;
constexpr NoteValue kRows[kNoteValueRows] = {
    {1, HeadKind::Filled, HeadFilled, Rest32nd, FlagUpRepeated, FlagDownRepeated, 3, true, 0},
    {2, HeadKind::Filled, HeadFilled, Rest16th, FlagUpRepeated, FlagDownRepeated, 2, true, 0},
    {3, HeadKind::Filled, HeadFilled, Rest16th, FlagUpRepeated, FlagDownRepeated, 2, true, 1},
    {4, HeadKind::Filled, HeadFilled, RestEighth, FlagUp, FlagDown, 1, true, 0},
    {6, HeadKind::Filled, HeadFilled, RestEighth, FlagUp, FlagDown, 1, true, 1},
    {7, HeadKind::Filled, HeadFilled, RestEighth, FlagUp, FlagDown, 1, true, 2},
    {8, HeadKind::Filled, HeadFilled, RestQuarter, 0, 0, 0, true, 0},
    {12, HeadKind::Filled, HeadFilled, RestQuarter, 0, 0, 0, true, 1},
    {14, HeadKind::Filled, HeadFilled, RestQuarter, 0, 0, 0, true, 2},
    {16, HeadKind::Hollow, HeadHollow, RestHalf, 0, 0, 0, true, 0},
    {24, HeadKind::Hollow, HeadHollow, RestHalf, 0, 0, 0, true, 1},
    {28, HeadKind::Hollow, HeadHollow, RestHalf, 0, 0, 0, true, 2},
    {32, HeadKind::Whole, HeadWhole, RestWhole, 0, 0, 0, false, 0},
    {48, HeadKind::Whole, HeadWhole, RestWhole, 0, 0, 0, false, 1},
};

}  // namespace

const NoteValue& noteValueRow(int row) {
    return kRows[row < 0 ? 0 : (row >= kNoteValueRows ? kNoteValueRows - 1 : row)];
}

int noteValueRowFor(int32_t duration, int32_t unitL) {
    if (unitL <= 0) return -1;
    for (int r = 0; r < kNoteValueRows; ++r)
        if (int64_t(kRows[r].length) * unitL >= duration) return r;
    return -1;
}

int32_t noteValueUnit(int32_t ppqn, int32_t chordFlags) {
    return (chordFlags & ChordFlag::Tuplet) ? ppqn / 16 : ppqn / 8;
}

}  // namespace ks
