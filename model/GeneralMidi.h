// Names of the 128 General MIDI Level 1 programs, kept in the text table so that every
// subsystem that names an instrument shows the same (translatable) name.
#pragma once

#include <QString>

namespace ks {

// Text-table id of program 0 ("Acoustic Grand Piano"); program p has id + p.
constexpr int kGeneralMidiProgramNameId = 40100;

// The name of `program` (0..127); an empty name for any other number.
QString generalMidiProgramName(int program);

}  // namespace ks
