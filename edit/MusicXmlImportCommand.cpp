#include "edit/MusicXmlImportCommand.h"

#include "interchange/MusicXmlImport.h"
#include "interchange/MusicXmlStringIds.h"

namespace ks {

MusicXmlOpen importMusicXmlDocument(
    CKeystaveDoc& doc, const QString& path, IDocumentPrompts& prompts,
    const std::function<void(CScore&, CPrinterSettings&)>& applyDefaults) {
    if (!isMusicXmlFile(path)) return MusicXmlOpen::NotMusicXml;
    auto score = std::make_unique<CScore>();
    CPrinterSettings printer;
    if (applyDefaults) applyDefaults(*score, printer);
    score->prefs.key = -1;
    const MusicXmlImportResult result = importMusicXmlFile(path, *score);
    if (!result.ok) {
        prompts.showMessage(result.messageId, {result.detail});
        return MusicXmlOpen::Failed;
    }
    doc.adoptScore(std::move(score), printer);
    if (!result.lost.isEmpty())
        prompts.showMessage(MusicXmlStringId::NotCarriedOver,
                            {result.lost.join(QStringLiteral("\n"))});
    return MusicXmlOpen::Imported;
}

}  // namespace ks
