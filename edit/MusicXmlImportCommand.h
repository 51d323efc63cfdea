// Opening a MusicXML file (".musicxml", ".xml" with a MusicXML root, ".mxl") as a
// document: the file read into a new score, and what could not be carried over listed
// once in a message.
#pragma once

#include <QString>
#include <functional>

#include "storage/DocumentPrompts.h"
#include "storage/KeystaveDoc.h"

namespace ks {

enum class MusicXmlOpen { NotMusicXml, Failed, Imported };

// Reads `path` into a new score of `doc` (given its default settings by `applyDefaults`,
// which may be empty). A file that cannot be read shows why and leaves the document as
// it was; a file of another kind is left to the caller.
MusicXmlOpen importMusicXmlDocument(
    CKeystaveDoc& doc, const QString& path, IDocumentPrompts& prompts,
    const std::function<void(CScore&, CPrinterSettings&)>& applyDefaults);

}  // namespace ks
