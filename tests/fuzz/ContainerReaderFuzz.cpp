// libFuzzer target for the document container reader (".ksv" and ".tpm" archives): any
// file either opens or fails, a failed read leaves the score reset, and the reader's
// temporary files are always gone afterwards.
#include <QDir>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "storage/DocumentContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ks::fuzz::inputFile(data, size, QStringLiteral("input.ksv"));
    ks::CScore score;
    score.title = QStringLiteral("before");
    ks::CPrinterSettings printer;
    const ks::ContainerReadResult result = ks::readContainer(path, score, &printer);
    if (!result.ok && score.title == QStringLiteral("before")) ks::fuzz::fail();
    if (!QDir(ks::fuzz::tempFolderOfRun())
             .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        ks::fuzz::fail();
    return 0;
}
