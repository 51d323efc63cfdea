// CTrack: one line of music: notes, the chords and beams derived from them, and
// the marks (events) attached to its times.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "Beam.h"
#include "Chord.h"
#include "Event.h"
#include "Note.h"
#include "SortedArray.h"

namespace ks {

class CScore;

struct CTrack {
    CTrack();

    QString title;  // a new track is named "Untitled"
    CSortedArray<CNote> notes;
    CSortedArray<CChord> chords;  // derived from the notes
    CSortedArray<CEvent> events;
    std::vector<CBeam> beams;      // derived from the chords
    CSortedArray<CEvent> scratch;  // working space: predecessor spelling ranges are gathered here
    int32_t length = 0;            // the track's own end in ticks; 0 = unset
    bool chordsvalid = false;      // the chords match the notes
    CScore* owner = nullptr;       // set when the track is added to a score

    // Ordered insert of a note; marks the chords out of date. Returns the note's index
    // (the existing note's when one with the same time and pitch is present).
    int addNote(const CNote& note);
    // Ordered insert of an event; returns its index (the existing one's when equal).
    int addEvent(const CEvent& event) { return events.Add(event); }
    void removeNote(int index);

    // Rebuild the chords over [from, to) for a score of length `scoreLength`; `to` < 0
    // means the track length. Notes are split at chord boundaries (tied pieces) only
    // while the chords are out of date. Afterwards the chords are valid.
    void rebuildChords(int32_t scoreLength, int32_t from = 0, int32_t to = -1);

    // Empty the track: no notes, chords, events or beams; name "Untitled", length 0.
    void clear();
};

}  // namespace ks
