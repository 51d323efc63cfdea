// CMidiTrack: the contents of one track chunk of a MIDI file.
#pragma once

#include "MidiEvent.h"
#include "model/SortedArray.h"

#include <QString>

namespace ks {

struct CMidiTrack {
    QString name;
    QString errorText;    // problems met while reading that did not stop the file
    int32_t channel = 0;  // the channel the track plays on, 0..15
    bool named = false;   // the name came from a text or name meta event
    CSortedArray<CMidiEvent> events;

    // Adds a note-on at `time` and its note-off `length` ticks later on the track's
    // channel. Key and velocity are held within 0..127, a negative length counts as 0
    // and the note-off never lies past the largest tick.
    void AddNote(int32_t time, int key, int velocity, int32_t length);
};

}  // namespace ks
