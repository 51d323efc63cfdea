// Reading a MusicXML partwise document (versions 1.0 to 4.0) into its parts, measures,
// notes and directions. The reader never loads anything the document points to: a
// document type declaration is skipped, one that declares entities is refused.
#pragma once

#include <QByteArray>
#include <QString>

#include "interchange/MusicXmlDocument.h"

namespace ks {

struct MusicXmlReadResult {
    bool ok = false;
    int messageId = 0;  // what went wrong, a text-table id
    QString detail;     // the parser's own words and the line, when it has them
};

// Whether the bytes look like a MusicXML document (a partwise or timewise root element).
bool looksLikeMusicXml(const QByteArray& bytes);

MusicXmlReadResult readMusicXml(const QByteArray& bytes, XmlScore& score);

}  // namespace ks
