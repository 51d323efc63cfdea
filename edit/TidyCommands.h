// The note-tidying commands of the score: Remove Overlaps (with its question), Extend
// Notes, and Shorten Notes at bar lines. Each records one whole-score undo step and drops
// it again when nothing changed.
#pragma once

#include "model/Score.h"
#include "storage/DocumentPrompts.h"
#include "storage/UndoHistory.h"

namespace ks {

enum class TidyCommand { RemoveOverlaps, ExtendNotes, ShortenNotes };

// Runs a command; true when notes changed. Remove Overlaps asks first and does nothing,
// recording nothing, on No.
bool runTidyCommand(TidyCommand command, CScore& score, CUndoHistory& history,
                    IDocumentPrompts& prompts);

}  // namespace ks
