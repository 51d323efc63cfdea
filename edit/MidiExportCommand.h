// "Export the current File as a standard MIDI file": writes the score's parts as a MIDI
// file and reports the outcome in the status area.
#pragma once

#include <QString>

#include "model/Score.h"
#include "storage/DocumentPrompts.h"

namespace ks {

// Writes `score` to `path`; the writer's messages are shown, then "MIDI File Saved" or
// "Error Saving MIDI File" in the status area. The score is not changed.
bool exportMidiDocument(const CScore& score, const QString& path, IDocumentPrompts& prompts);

}  // namespace ks
