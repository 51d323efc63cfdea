// Ties between a note and the note of the same pitch that continues it: elliptical arcs
// beside the heads, away from the stem (with several tied notes in a chord, the top one
// above and the others below). A tie whose second note is on a later line runs to the
// end of its line, and the second note gets a tie from the start of its own line.
#pragma once

#include "render/draw/ChordGeometry.h"

namespace ks {

// The note that continues note `note` of the track (same pitch, starting at its end,
// marked as a tie continuation), or -1.
int tiePartner(const CTrack& track, int note);
// The note that note `note` continues, or -1.
int tieOrigin(const CTrack& track, int note);

// The ties that start at the chord's notes, and those that reach them from a line above.
void drawTies(CDrawContext& ctx, const LineGeometry& g, const ChordGeometry& c);

}  // namespace ks
