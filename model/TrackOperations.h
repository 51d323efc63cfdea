// Track management and whole-track edits: transposing, adding, deleting, merging,
// renaming and showing tracks in the parts. Each re-derives what it touched; recording
// the undo step and laying the pages out again are the caller's part.
#pragma once

#include <QString>

#include "model/Score.h"

namespace ks {

// Destination of a new track in the track dialogs: -1 none, 0..3 a part.
constexpr int kNoDestination = -1;

// Adds `amount` semitones to every note of the track (`track` < 0: of every track),
// clamped to 0..127. Returns whether any pitch changed.
bool transposeTracks(CScore& score, int track, int amount);

// Appends an empty track named `title` lasting the score length and shows it in
// `part` (-1: in none), which then becomes the current part. Returns its index.
int addNewTrack(CScore& score, const QString& title, int part);

// Removes a track: the parts showing it become empty, parts showing later tracks are
// renumbered, and when the current part lost its track the first part with one becomes
// current. False for an index out of range.
bool deleteTrack(CScore& score, int track);

// Appends a track holding the notes and marks of both (a note of the second at the time
// and pitch of one of the first is dropped) named `title`; with a part, that part shows
// it, parts showing either source become empty and it becomes the current part. Returns
// the new track's index, or -1 when the two are the same or either does not exist.
int mergeTracks(CScore& score, int first, int second, int part, const QString& title);

// Renames a track. False when it does not exist or the name is unchanged.
bool renameTrack(CScore& score, int track, const QString& title);

// Shows `track` in `part` (0..3), taking it out of any other part; an invalid track
// empties the part. With part -1 every part showing the track becomes empty. The
// current part moves to the first part with a track when it lost its own.
void allocateTrack(CScore& score, int track, int part);

// When the current part shows no track, the first part that shows one becomes current.
void keepCurrentPartShown(CScore& score);

}  // namespace ks
