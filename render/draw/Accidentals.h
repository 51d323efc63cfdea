// Accidentals of conventional staves: a note gets a sharp, flat or natural sign when
// its alteration differs from what the key signature, or an earlier accidental on the
// same line or space in the bar, already gives it.
#pragma once

#include <array>
#include <cstdint>

namespace ks {

class AccidentalState {
  public:
    // Start of a bar in `key` (0..29, -1 = none).
    void reset(int32_t key);
    // The sign a note of `pitch` needs now (0 = none), remembering what it sets.
    char16_t signFor(int32_t pitch);

  private:
    static constexpr int kPositions = 80;  // diatonic positions of pitches 0..127
    int32_t key_ = -1;
    std::array<int8_t, 7> keyAlteration_{};  // by diatonic step C..B
    std::array<int8_t, kPositions> current_{};
    std::array<bool, kPositions> set_{};
};

// The letter of a pitch spelled in `key` ("C" .. "B").
char16_t noteLetter(int32_t pitch, int32_t key);

}  // namespace ks
