// libFuzzer target for the score document readers (current and predecessor format, the
// one the root element names, as a bare document file is read). Besides surviving any
// input, a document that reads without error must give a score the writer can write.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "storage/MarkupFile.h"
#include "storage/MarkupReader.h"
#include "storage/ScoreReader.h"
#include "storage/ScoreWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Tokenised as a file is loaded, without the trip through the disk.
    ks::CMarkupFile file;
    QStringList errors;
    ks::MarkupReader(ks::MarkupReader::Source::File, file.elements(), errors)
        .feed(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!errors.isEmpty()) return 0;  // the file readers refuse such a file at once
    bool predecessor = false;
    for (const ks::CMarkupElement& e : file.elements()) {
        if (e.type == ks::CMarkupElement::kText && e.text.trimmed().isEmpty()) continue;
        predecessor = e.name == u"tonepad";
        break;
    }
    ks::CScore score;
    ks::CPrinterSettings printer;
    ks::ScoreReader reader(score, &printer);
    const ks::ReadResult result =
        predecessor ? reader.readPredecessor(file) : reader.readCurrent(file);
    // Every failure has a message to show and success has none.
    if (result.ok == (result.messageId != 0)) ks::fuzz::fail();
    if (result.ok) {
        ks::CMarkupFile written;
        ks::ScoreWriter(written).writeDocument(score, printer);
        if (written.elements().empty()) ks::fuzz::fail();
    }
    return 0;
}
