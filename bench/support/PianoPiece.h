// A generated two-hand piano piece as a standard MIDI file, shaped like a real one: a
// melody over four-bar phrases in the right hand (quarters, eighths, dotted rhythms, a
// few two-note chords and held notes), and an accompaniment in the left hand that
// changes texture by section (broken chords, Alberti bass, block chords, a walking
// bass), following a chord progression with a change of key half way. The same bars
// give the same file every time.
#pragma once

#include <QString>

#include "interchange/MidiFile.h"

namespace ks::bench {

// About 11.7 notes per bar: 600 bars give about 7,000 notes.
CMidiFile makePianoPiece(int bars = 600);

// Writes the piece; false when the file cannot be written.
bool writePianoPiece(const QString& path, int bars = 600);

// The notes (note-ons) of a file.
int noteCount(const CMidiFile& file);

}  // namespace ks::bench
