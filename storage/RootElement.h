// What kind of XML document a file holds, told by its root element without reading the
// whole file: score documents ("keystaves", "tonepad") and, for other readers, any root.
#pragma once

#include <QString>

namespace ks {

// The name of the first element of the XML file at `path`, after any declaration,
// processing instructions, comments and document type; empty when the file cannot be
// read or does not start like XML within its first 64 KiB.
QString rootElementName(const QString& path);

// Whether the file is a bare score document of the current or the predecessor format
// (root "keystaves" or "tonepad"), whatever its name.
bool isBareScoreDocument(const QString& path);

}  // namespace ks
