// Where the parts of one chord go: its x, its stem direction, every head's height and
// sideways shift, and its stem.
#pragma once

#include <QVarLengthArray>
#include <cstdint>

#include "render/draw/LineGeometry.h"
#include "render/draw/NoteValues.h"

namespace ks {

struct HeadPlace {
    int note = 0;  // index into the track's notes
    int32_t pitch = 0;
    int32_t centreY = 0;  // middle of the head
    int32_t top = 0;      // top of the head glyph's cell, half a cell above the middle
    int32_t shift = 0;    // sideways shift of the upper head of a second
    bool grey = false;
    bool selected = false;  // Music mode: a selected note of the part being edited
};

struct ChordGeometry {
    int part = 0;
    const CTrack* track = nullptr;
    int chordIndex = 0;
    const CChord* chord = nullptr;
    int row = -1;  // note-value row; -1 = not drawn as notes
    NoteValue value{};
    int32_t key = -1;  // key in force, for conventional staves
    int32_t x = 0;
    bool up = true;
    bool partGrey = false;                // Music mode, a part other than the one being edited
    bool allGrey = false;                 // every head is grey
    QVarLengthArray<HeadPlace, 8> heads;  // lowest first
    int32_t lowTop = 0;                   // glyph tops of the lowest and highest head
    int32_t highTop = 0;
    int32_t stemX = 0;
    int32_t stemStart = 0;  // end at the heads
    int32_t stemEnd = 0;    // free end, before any beam moves it
};

ChordGeometry chordGeometry(const CDrawContext& ctx, const LineGeometry& g, int part,
                            const CTrack& track, int chordIndex, int32_t key);

// Glyph top of a head whose middle is at y.
int32_t headTopFor(const CDrawContext& ctx, int32_t centreY);

// x of a chord's stem, and the free ends of its stem for the given head tops.
int32_t stemXFor(const CDrawContext& ctx, int32_t x, bool up);
int32_t stemEndFor(const CDrawContext& ctx, bool up, int32_t lowTop, int32_t highTop);

}  // namespace ks
