// Where notes sit vertically. Keystave lines place a pitch by the layout's pitch
// mapping. Conventional staves (Page and Layout modes) place it by its diatonic step
// spelled in the key in force, and by part rather than by pitch: the right-hand parts
// always use the upper staff and the left-hand parts the lower one.
#pragma once

#include <cstdint>

#include "render/draw/LineGeometry.h"

namespace ks {

// The stave position of a pitch: the keystave position, or on conventional staves the
// diatonic step spelled in `key` (7 per octave, C of octave 0 = 0).
int32_t notePosition(const LineGeometry& g, int32_t pitch, int32_t key);

// y of a conventional stave position in the staff of `part`.
int32_t conventionalY(const CDrawContext& ctx, const LineGeometry& g, int32_t position, int part);

// y of the middle of a note head.
int32_t noteY(const CDrawContext& ctx, const LineGeometry& g, int32_t pitch, int part, int32_t key);

// The head sits on a stave line: a black key on keystave lines, an odd diatonic
// position (E G B D F, A C E G B-flat... of the two staves and their ledger lines)
// on conventional ones.
bool noteOnLine(const LineGeometry& g, int32_t pitch, int32_t key);

// The head lies one stave position above `below`, so the two heads would collide:
// keystave, one semitone above and not a C or F (which lie two positions above B and
// E) unless every semitone is one position; conventional, the next diatonic step.
bool oneStepAbove(const LineGeometry& g, int32_t pitch, int32_t below, int32_t key);

}  // namespace ks
