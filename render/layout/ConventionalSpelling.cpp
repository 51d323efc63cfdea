#include "ConventionalSpelling.h"

#include "LayoutMath.h"

namespace ks {

namespace {

// Diatonic step of each pitch class when black keys are spelled as sharps.
constexpr int32_t kSharpSteps[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};

}  // namespace

int32_t diatonicPosition(int32_t pitch, int32_t key) {
    const int32_t k = key >= 0 && key < 30 ? key % 15 : 7;
    int32_t octave = floorDiv(pitch, 12);
    const int32_t pc = floorMod(pitch, 12);
    int32_t step = kSharpSteps[pc];
    // Flats of a flat key's signature, in signature order: Bb, Eb, Ab, Db, Gb.
    if ((pc == 10 && k >= 8) || (pc == 3 && k >= 9) || (pc == 8 && k >= 10) ||
        (pc == 1 && k >= 11) || (pc == 6 && k >= 12))
        step += 1;
    if (pc == 5 && k <= 1) step = 2;  // E#
    if (pc == 0 && k == 0) {          // B# of the octave below
        step = 6;
        octave -= 1;
    }
    if (pc == 11 && k >= 13) {  // Cb of the octave above
        step = 0;
        octave += 1;
    }
    if (pc == 4 && k == 14) step = 3;  // Fb
    return octave * 7 + step;
}

}  // namespace ks
