// Opening a standard MIDI file as a document: the file read into a new score, the
// options asked for, and the chosen clean-ups run as undo steps.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "storage/DocumentPrompts.h"
#include "storage/KeystaveDoc.h"

namespace ks {

// The clean-ups offered after a MIDI import, kept as the registry values
// "MidiImportRemoveOverlapping", "MidiImportExtendNotes", "MidiImportShortenNotes",
// and whether the written rhythm is found ("MidiImportQuantise", on when absent).
struct MidiImportOptions {
    bool removeOverlapping = false;
    bool extendNotes = false;
    bool shortenNotes = false;
    // Whether the one note track of the file is split into the two hands. Offered, and
    // chosen at first, only when the file has a single note track; not stored.
    bool splitHands = false;
    bool canSplitHands = false;
    // Played files are quantised and short-played notation exports get their written
    // lengths back; files on a grid that play full lengths never change.
    bool quantise = true;

    static MidiImportOptions load();
    void save() const;
    bool operator==(const MidiImportOptions&) const = default;
};

struct MidiImportSteps {
    // Gives a new score its default settings (the application's defaults); may be empty.
    std::function<void(CScore&, CPrinterSettings&)> applyDefaults;
    // Lays the score out (with its printer settings) before the options are asked.
    std::function<void(CScore&, const CPrinterSettings&)> layout;
    // The options dialog: starts from `current`; an empty answer (Cancel) abandons the
    // import.
    std::function<std::optional<MidiImportOptions>(const MidiImportOptions& current)> chooseOptions;
};

// Reads the MIDI file at `path` into a new score (reader messages go to `prompts`;
// whatever was read is kept), finding its written rhythm as the stored choice says,
// lays it out, asks for the options (reading the file again when the rhythm choice was
// changed), gives the score to
// `doc` and runs the chosen hand split and clean-ups, each as an undo step. An unreadable file gives an
// empty score; only Cancel in the options dialog refuses the file (false), and then the
// document is unchanged.
bool importMidiDocument(CKeystaveDoc& doc, const QString& path, IDocumentPrompts& prompts,
                        const MidiImportSteps& steps);

}  // namespace ks
