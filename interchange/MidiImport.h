// Turning a standard MIDI file into a score: resolution, tempo, texts, one track per
// MIDI track with note-ons paired to their releases, time and key signatures, triplets
// found and swing straightened, derived data, and the hands assigned.
#pragma once

#include <QStringList>

#include "interchange/MidiFile.h"
#include "model/Score.h"

namespace ks {

// What the conversion does beyond taking the notes as they are.
struct MidiConversion {
    // Find the written rhythm: a played file (notes off any grid) is quantised to the
    // beat found in it, with tempo marks following the performance; a file on a grid
    // that plays its notes short gets its written lengths back; a file on a grid that
    // plays them full is left exactly as it is.
    bool quantise = false;
    // The file's name, the title when the file names none (empty: "Untitled").
    QString fileName;
};

// Builds the score of `file` into `score`, which the caller has reset (and given its
// default settings). Never fails: an empty file gives an empty score.
void importMidiFile(const CMidiFile& file, CScore& score, const MidiConversion& conversion = {});

// Whether the file was played rather than written: its notes do not sit on a grid.
bool midiFileIsPlayed(const CMidiFile& file);

// The notes of one MIDI track: each note-on (velocity > 0) is ended by the first
// release (note-off, or note-on with velocity 0) of its channel and key, oldest first;
// unreleased notes are dropped; then a note overlapped by a later note of its pitch is
// cut where that note starts. Sets the track length to at least the last release.
void pairNotes(const CMidiTrack& midi, CTrack& track);

// Finds triplets (and swung pairs, straightened into dotted pairs) in one bar of a
// track: bar start `start`, length `length`.
void detectTriplets(CTrack& track, int32_t start, int32_t length, int32_t ppqn);

// Shows a track in part 0 (right hand) or 2 (left hand): by keywords in the names, else
// by which side of middle C most notes lie. Returns the track chosen or -1.
int assignHand(CScore& score, int part);

}  // namespace ks
