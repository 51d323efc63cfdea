// "Export as Music XML": writes a laid-out score as a MusicXML file or a compressed
// container and reports the outcome.
#pragma once

#include <QString>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "storage/DocumentPrompts.h"

namespace ks {

// The name the Save dialog proposes: the document's, with ".xml".
QString proposedMusicXmlPath(const QString& documentPath, const QString& title);

// Writes `score` (laid out for `page`) to `path`; a failure is shown in a message box,
// success in the status area. The score is not changed.
bool exportMusicXmlDocument(const CScore& score, const PageGeometry& page, const QString& path,
                            IDocumentPrompts& prompts);

}  // namespace ks
