// What an editing operation works on: the score and the undo history of its document.
#pragma once

#include "model/Score.h"
#include "storage/UndoHistory.h"

namespace ks {

struct EditContext {
    CScore& score;
    CUndoHistory& history;
};

// What an editing operation did, so the caller refreshes as little as it may.
enum class EditOutcome {
    Nothing,         // nothing changed
    Selection,       // the cursor or selection changed: scroll it into view and repaint
    Score,           // the score changed: lay out again and repaint
    ScoreLengthened  // ... and it grew, so every line changes
};

}  // namespace ks
