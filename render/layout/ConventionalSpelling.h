// Diatonic positions of pitches on conventional staves, spelled by the key signature:
// black keys as sharps, except the flats of a flat key's signature; E-sharp and
// B-sharp in the keys of six and seven sharps, C-flat and F-flat in the keys of six
// and seven flats.
#pragma once

#include <cstdint>

namespace ks {

// Diatonic position of a pitch (7 per octave, C of octave 0 = 0) in key 0..29; a key
// outside that range counts as C major.
int32_t diatonicPosition(int32_t pitch, int32_t key);

}  // namespace ks
