#include "Accidentals.h"

#include <algorithm>

#include "render/layout/ConventionalSpelling.h"
#include "render/layout/LayoutMath.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

constexpr int32_t kStepSemitones[7] = {0, 2, 4, 5, 7, 9, 11};
// Steps in the order sharps and flats enter a signature.
constexpr int kSharpOrder[7] = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
constexpr int kFlatOrder[7] = {6, 2, 5, 1, 4, 0, 3};   // B E A D G C F

}  // namespace

void AccidentalState::reset(int32_t key) {
    key_ = key;
    keyAlteration_.fill(0);
    const int32_t k = key >= 0 && key < 30 ? key % 15 : 7;
    for (int i = 0; i < 7 - k; ++i)
        keyAlteration_[static_cast<size_t>(kSharpOrder[i])] = 1;
    for (int i = 0; i < k - 7; ++i)
        keyAlteration_[static_cast<size_t>(kFlatOrder[i])] = -1;
    set_.fill(false);
}

char16_t AccidentalState::signFor(int32_t pitch) {
    const int32_t pos = diatonicPosition(pitch, key_);
    const int32_t natural = 12 * floorDiv(pos, 7) + kStepSemitones[floorMod(pos, 7)];
    const int alteration = std::clamp(pitch - natural, -1, 1);
    if (pos < 0 || pos >= kPositions) return 0;
    const auto p = static_cast<size_t>(pos);
    const int before =
        set_[p] ? current_[p] : keyAlteration_[static_cast<size_t>(floorMod(pos, 7))];
    current_[p] = static_cast<int8_t>(alteration);
    set_[p] = true;
    if (alteration == before) return 0;
    return alteration > 0 ? glyph::Sharp : alteration < 0 ? glyph::Flat : glyph::Natural;
}

char16_t noteLetter(int32_t pitch, int32_t key) {
    static constexpr char16_t kLetters[7] = {u'C', u'D', u'E', u'F', u'G', u'A', u'B'};
    return kLetters[floorMod(diatonicPosition(pitch, key), 7)];
}

}  // namespace ks
