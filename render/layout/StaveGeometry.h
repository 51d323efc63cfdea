// Vertical geometry of a keystave line: default stave ranges, stave positions of
// pitches, the pitch-to-y mapping and its inverses, and the stave's extent.
//
// A pitch p has a stave position c: normal staves give each octave 14 positions (the
// white-key steps E-F and B-C take two, like a white-to-white step across a black
// key); reduced spacing gives one position per semitone; conventional staves seven
// diatonic positions per octave. With s = round(u), pitches from middle C up lie at
// originY - s (c - 60); pitches below middle C are pushed down by the hand gap:
// originY + s (handGap + 60 - c).
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

constexpr int32_t kMaxHandGap = 1000000;

struct StaveRange {
    int32_t bottom = 41;  // default bottom pitch b0
    int32_t top = 76;     // default top pitch t0
    bool operator==(const StaveRange&) const = default;
};

bool isConventionalStaveType(int32_t stavetype);
StaveRange defaultStaveRange(int32_t stavetype);

int32_t stavePosition(int32_t lineFlags, int32_t pitch);

// The gap between the hands a line uses, in units: the stave-gap preference (at least
// 2 on conventional lines), or the line's own minimum when larger.
int32_t handGapFor(const CDisplaySettings& prefs, const CScoreLine& line);

int32_t pitchToY(const CScoreLine& line, double u, int32_t pitch);
// pitch16 = pitch * 65536 + fraction.
int32_t fractionalPitchToY(const CScoreLine& line, double u, int32_t pitch16);
// The pitch 0..127 at y.
int32_t yToPitch(const CScoreLine& line, double u, int32_t y);
int32_t yToFractionalPitch(const CScoreLine& line, double u, int32_t y);

// Pitch-group rounding: the top (E or B) and bottom (C or F) of the black-key group.
int32_t groupTop(int32_t pitch);
int32_t groupBottom(int32_t pitch);

// The highest and lowest pitch the line's stave shows.
int32_t staveTopPitch(const CScoreLine& line, StaveRange range);
int32_t staveBottomPitch(const CScoreLine& line, StaveRange range);

// Sets originY, staveTop and staveBottom so that the stave's top lies at `top`.
void placeStave(CScoreLine& line, double u, StaveRange range, int32_t top);

}  // namespace ks
