// Short ledger lines beside a note beyond the stave.
#pragma once

#include <cstdint>

#include "render/draw/LineGeometry.h"

namespace ks {

// The ledger lines a note at `pitch` needs when its chord stands at x: each starts at
// x - round(u) and is round(5u) long. On keystave lines a note above the default range gets
// every black-key line from the top of its black-key group down to the range, and one
// below it every line from the bottom of its group up, so a high note always shows its
// whole group of two or three lines. On conventional staves the lines run from the
// staff of the note's part to the note. `grey` asks for the faded colour of a grey note.
void DrawLedgerLines(CDrawContext& ctx, const LineGeometry& g, int32_t pitch, int32_t x, int part,
                     int32_t key, bool grey = false);

// Ledger lines are drawn at all: "Use Ledger Lines", "Extend Stave on Affected Bars", or
// conventional staves.
bool usesLedgerLines(const CDrawContext& ctx, const LineGeometry& g);

}  // namespace ks
