#include "app/finder/FileDetails.h"

#include "app/DocumentLayout.h"
#include "app/finder/FinderFormat.h"
#include "model/PlaybackStatus.h"
#include "model/StringIds.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"

namespace ks {

FileDetails readFileDetails(const QString& path) {
    FileDetails details;
    CScore score;
    CPrinterSettings printer;
    const ContainerReadResult read = CKeystaveDoc::readIntoSeparateScore(path, score, &printer);
    if (!read.ok) {
        details.title =
            text(read.readerMessage != 0 ? read.readerMessage : StringId::ErrorLoadingFile);
        return details;
    }
    // The pages come from the layout on the document's own page.
    layOutDocument(score, printer);
    details.ok = true;
    details.title = score.title;
    details.bars = barsText(score.barCount());
    details.pages = pagesText(int(score.pages.size()));
    details.length = lengthText(performanceSeconds(score, score.playbackMap));
    return details;
}

}  // namespace ks
