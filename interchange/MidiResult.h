// Outcome of reading or writing a MIDI file: a success flag and the messages for the
// caller to show, each in its own box, in the order they arose.
#pragma once

#include <QStringList>

namespace ks {

struct MidiResult {
    bool ok = false;
    QStringList messages;
};

}  // namespace ks
