// Turning a score into a standard MIDI file: the notes of the four parts (tie chains
// joined into single notes), the tempo, and the time and key signatures. Only the
// performance is written: no layout, texts or marks, and repeats as notated.
#pragma once

#include "interchange/MidiFile.h"
#include "model/Score.h"

namespace ks {

CMidiFile exportMidiFile(const CScore& score);

// MIDI key signature of a score key code: sharps positive, flats negative.
CMidiKeySig midiKeyOf(int32_t code, int32_t time);

}  // namespace ks
