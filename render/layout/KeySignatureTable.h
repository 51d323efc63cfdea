// Facts of a key signature the layout needs: how many accidentals it has and the
// highest pitch its keystave signature marks.
#pragma once

#include <cstdint>

namespace ks {

// Number of sharps or flats of key 0..29 (0 for C major and A minor, 0 for no key).
int32_t keyAccidentalCount(int32_t key);

// The highest pitch of the keystave signature of key 0..29: the last of its seven
// scale notes, 60 + root offset + the scale's top step. 0 for no key.
int32_t keySignatureTopPitch(int32_t key);

// Semitones from middle C to the root of key 0..29 as the keystave signature marks it.
int32_t keyRootOffset(int32_t key);

}  // namespace ks
