// The cursor box and the selection of a score: which notes of the current part lie in
// the box, fitting the box to them, and placing the cursor where the user clicked.
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// A time range [timeStart, timeEnd) and a pitch range [pitchBottom, pitchTop], as the
// layout maps a screen rectangle.
struct TickPitchRect {
    int32_t timeStart = 0;
    int32_t timeEnd = 1;
    int32_t pitchTop = 60;
    int32_t pitchBottom = 60;
};

// The track shown in the current part, or null when the part is empty.
CTrack* currentTrack(CScore& score);
const CTrack* currentTrack(const CScore& score);

// The last tick the cursor may start at: score length - step, at least 0.
int32_t lastCursorTick(const CScore& score, int32_t step);

// Empties the note and object lists and the drag offsets; the box stays.
void clearSelection(CSelection& selection);

// The box collapses to [time, time + 1) at `pitch` (0..127).
void collapseCursor(CSelection& selection, int32_t time, int32_t pitch);

// Rebuilds the selected notes from the box: without `add` the list is emptied first;
// notes of the current part's track starting inside the box, ending after its start,
// not continuing a tie, with a pitch inside the box, are taken (with `add`: toggled),
// each with the tied pieces after it. When any note is selected the objects are
// dropped. Drag offsets are reset.
void selectAtCursor(CScore& score, bool add);

// With any note selected, the box becomes their pitch range and [earliest time,
// latest time + 1); the list is sorted.
void fitBoxToNotes(CScore& score);

// A click: the first note overlapping the rect's times whose pitch lies in its pitch
// range (else within one more semitone on either side) becomes the selection; failing
// that, the cursor snaps to the step grid (to the nearest boundary when within a
// quarter step after it, else to the boundary before) at the rect's top pitch.
void placeCursorAt(CScore& score, const TickPitchRect& rect, int32_t step);

// Notes of `track` at the selected (time, pitch) positions, as indexes in time order.
std::vector<int> selectedNoteIndexes(const CTrack& track, const CSelection& selection);

// After the score changed under the selection (undo, redo, another command): selected
// notes and objects that are gone are dropped; when notes went, the notes in the box
// are selected again. The part and the box stay within their ranges.
void keepSelectionValid(CScore& score);

// Whether the event reference names an event that exists.
const CEvent* eventOf(const CScore& score, const CEventRef& ref);
CEvent* eventOf(CScore& score, const CEventRef& ref);

}  // namespace ks
