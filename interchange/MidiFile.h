// CMidiFile: a Standard MIDI File in memory (formats 0 and 1 read, format 1 written).
// It knows nothing about scores; the score conversion fills it or reads it.
#pragma once

#include "MidiResult.h"
#include "MidiSignatures.h"
#include "MidiTrack.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace ks {

struct CMidiFile {
    std::vector<CMidiTrack> tracks;
    std::vector<CMidiTimeSig> timeSigs;  // in time order, equal times in insertion order
    std::vector<CMidiKeySig> keySigs;    // likewise
    int32_t tempo = 120;                 // beats per minute
    int32_t division = 48;               // ticks per quarter note
    QString artist;
    QString title;
    QString copyright;
    // The name of the whole sequence: the name given to the only track of a format 0
    // file, or to the first track of a format 1 file when that track plays no notes.
    QString sequenceName;

    // Replaces the contents with the file at `path`. What was read before an error stays;
    // the result carries the messages to show, in order.
    MidiResult Read(const QString& path);
    // The same from bytes in memory.
    MidiResult readBytes(QByteArrayView bytes);

    // Writes the file as format 1. The target is replaced only when the whole file was
    // written: a failure leaves an existing file as it was and no partial file behind.
    MidiResult Write(const QString& path) const;
    // The bytes Write stores.
    QByteArray toBytes() const;

    // Inserts a signature after those with the same or an earlier time.
    void addTimeSig(const CMidiTimeSig& sig);
    void addKeySig(const CMidiKeySig& sig);
};

}  // namespace ks
