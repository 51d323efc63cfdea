// Turning a read MusicXML document into a score, and the whole import from a file
// (plain ".musicxml"/".xml", or a compressed ".mxl" container).
#pragma once

#include <QString>
#include <QStringList>

#include "interchange/MusicXmlDocument.h"
#include "model/Score.h"

namespace ks {

// Builds `x` into `score`, which the caller has reset (and given its default settings).
// Bars follow the measures (a pickup or a shortened bar gets a time signature of its
// own length); a piano part's upper staff becomes the right hand and its lower staff
// the left hand, a second voice of a staff that hand's second part; without a part of
// two staves, the hands are chosen as for a MIDI file. Tied notes become one note.
// Adds to `x.lost` what the score cannot hold.
void buildScoreFromMusicXml(XmlScore& x, CScore& score);

struct MusicXmlImportResult {
    bool ok = false;
    int messageId = 0;  // why the file was not read
    QString detail;     // the parser's words, for a malformed file
    QStringList lost;   // what could not be carried over, one line each ("fermatas (3)")
};

// Reads the MusicXML file at `path` into `score` (reset first). On failure the score is
// left reset and empty.
MusicXmlImportResult importMusicXmlFile(const QString& path, CScore& score);

// Whether `path` names a file the MusicXML import reads: ".musicxml" or ".mxl", or
// ".xml" whose root element is a MusicXML one.
bool isMusicXmlFile(const QString& path);

}  // namespace ks
