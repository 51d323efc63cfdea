// Whether the notes of a MIDI file already sit on a written grid (exported from
// notation software or quantised in a sequencer), and the repair of a notation export
// that plays every note a little short.
#pragma once

#include <vector>

#include "model/Track.h"

namespace ks {

// True when nearly all note starts lie on a grid of 32nd notes or of 16th-note
// triplets of `division` ticks per quarter note. A resolution too coarse to tell, or
// no notes, counts as on the grid.
bool notesOnGrid(const std::vector<CTrack>& tracks, int32_t division);

// For notes on the grid that mostly end a little (up to a quarter of their length)
// before the next start of their track or a grid point, every such note is lengthened
// to that start (else that point), never past the next start of its own pitch: the rests the shortened playing made disappear. Notes
// that end on the grid, and files that do not play short, are left as they are.
// Returns whether anything was lengthened.
bool restoreShortenedLengths(std::vector<CTrack>& tracks, int32_t division);

}  // namespace ks
