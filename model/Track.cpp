#include "Track.h"

#include "StringIds.h"
#include "TextTable.h"

namespace ks {

CTrack::CTrack() : title(text(StringId::Untitled)) {}

int CTrack::addNote(const CNote& note) {
    chordsvalid = false;
    return notes.Add(note);
}

void CTrack::removeNote(int index) {
    if (index < 0 || index >= notes.size()) return;
    notes.removeAt(index);
    chordsvalid = false;
}

void CTrack::clear() {
    title = text(StringId::Untitled);
    notes.clear();
    chords.clear();
    events.clear();
    beams.clear();
    scratch.clear();
    length = 0;
    chordsvalid = false;
}

}  // namespace ks
