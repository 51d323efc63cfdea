#include "edit/MusicXmlExportCommand.h"

#include <QDir>
#include <QFileInfo>

#include "edit/MusicXmlLayoutSource.h"
#include "interchange/MusicXmlExport.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/TextTable.h"

namespace ks {

QString proposedMusicXmlPath(const QString& documentPath, const QString& title) {
    const QFileInfo info(documentPath.isEmpty() ? title : documentPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".xml"));
}

bool exportMusicXmlDocument(const CScore& score, const PageGeometry& page, const QString& path,
                            IDocumentPrompts& prompts) {
    const MusicXmlExportResult result =
        ExportMusicXml(score, path, LaidOutMusicXmlLayout(score, page));
    if (!result.ok) {
        prompts.showMessage(result.messageId, {});
        return false;
    }
    prompts.showStatus(text(MusicXmlStringId::Exported));
    return true;
}

}  // namespace ks
