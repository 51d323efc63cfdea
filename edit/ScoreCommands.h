// The score operations as commands: each checks what it needs, asks its question,
// records one undo step with its label and scope, runs the operation and shows its
// status texts; a command that changed nothing drops its step again. Laying the pages
// out afterwards is the caller's part (every command returning true needs it).
#pragma once

#include <QString>
#include <vector>

#include "model/Score.h"
#include "model/TrackSplit.h"
#include "storage/DocumentPrompts.h"
#include "storage/UndoHistory.h"

namespace ks {

struct ScoreCommandContext {
    CScore& score;
    CUndoHistory& history;
    IDocumentPrompts& prompts;
};

// Insert an empty bar at index `bar` (the bar count appends one).
bool runInsertBar(ScoreCommandContext& c, int32_t bar);
// Delete bar `bar`; the selection is cleared first.
bool runDeleteBar(ScoreCommandContext& c, int32_t bar);

// Crop to the bars first .. last after the question; with `notes` (indices into the
// notes of `track`) only those notes stay, and the question says so.
bool runCropToBars(ScoreCommandContext& c, int32_t first, int32_t last);
bool runCropToNotes(ScoreCommandContext& c, int32_t first, int32_t last, int track,
                    const std::vector<int>& notes);

// Transpose by `amount` semitones: every track (one whole-score step) or one track.
bool runTranspose(ScoreCommandContext& c, int amount, bool allTracks, int track);

bool runAutoNoteLength(ScoreCommandContext& c, int track, const std::vector<int>& notes);
bool runMakePhrase(ScoreCommandContext& c, int track, const std::vector<int>& notes);
bool runRemovePhrase(ScoreCommandContext& c, int track, int32_t tick);
bool runFlipStems(ScoreCommandContext& c, int track, const std::vector<int>& notes);

// The track commands; `part` is a destination (-1 none, 0..3).
bool runAddTrack(ScoreCommandContext& c, const QString& title, int part);
bool runDeleteTrack(ScoreCommandContext& c, int track);
// Refuses merging a track with itself with its message.
bool runMergeTracks(ScoreCommandContext& c, int first, int second, int part);
// The new tracks are named after the source: "<name> (Split 1)" and "<name> (Split 2)".
bool runSplitTrack(ScoreCommandContext& c, SplitRequest request);

// The names the split gives its two new tracks.
QString splitTrackName(const QString& source, int which);

// Shows the highlighted track in a part (-1: in none). No undo step is recorded.
void runAllocateTrack(CScore& score, int track, int part);

// The selected notes of the current part's track (the selection's list), as indexes of
// the first pieces of their tie chains.
std::vector<int> selectedNotes(const CScore& score);

}  // namespace ks
