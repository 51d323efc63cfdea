// Export of a score as MusicXML 2.0 (partwise): a plain ".xml" file, or a compressed
// ".mxl" container holding it. One MusicXML part per part of the score that shows a
// track; the notes as written (repeats not unrolled), with their spelling in the key,
// ties, tuplets, grace notes, beams, marks, dynamics, wedges, words and lyrics.
#pragma once

#include <QDate>
#include <QString>
#include <string>

#include "interchange/MusicXmlLayout.h"
#include "model/Score.h"

namespace ks {

struct MusicXmlExportOptions {
    QDate date = QDate::currentDate();  // the encoding date
};

// The MusicXML document of `score` as UTF-8 text.
std::string musicXmlText(const CScore& score, const MusicXmlLayout& layout,
                         const MusicXmlExportOptions& options = {});

struct MusicXmlExportResult {
    bool ok = false;
    int messageId = 0;  // text-table id of what went wrong, 0 when nothing did
};

// Writes the score to `path`. A path ending in ".mxl" writes the XML file beside it under
// the same name with ".xml" and builds the container from it; both files stay. A failed
// write leaves any earlier file at the path as it was.
MusicXmlExportResult ExportMusicXml(const CScore& score, const QString& path,
                                    const MusicXmlLayout& layout,
                                    const MusicXmlExportOptions& options = {});

}  // namespace ks
