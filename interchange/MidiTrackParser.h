// Parsing the bytes of one track chunk into a CMidiTrack.
#pragma once

#include "MidiFile.h"

namespace ks {

enum class TrackParse {
    Complete,   // the end-of-track event was read, or the track ended on a bad status byte
    Malformed,  // the bytes ran out before the end-of-track event
};

// Adds the chunk's channel messages to `track`, sets its name and channel from meta events
// and passes tempo, copyright and signatures to `file` (signatures are appended; the caller
// puts them in order). Events read before a failure stay in the track.
TrackParse parseMidiTrack(QByteArrayView chunk, CMidiTrack& track, CMidiFile& file);

}  // namespace ks
