#include "MidiExportCommand.h"

#include "edit/EditTextIds.h"
#include "interchange/MidiExport.h"
#include "model/TextTable.h"

namespace ks {

bool exportMidiDocument(const CScore& score, const QString& path, IDocumentPrompts& prompts) {
    const MidiResult written = exportMidiFile(score).Write(path);
    for (const QString& message : written.messages)
        prompts.showMessage(StringId::PlainText, {message});
    prompts.showStatus(text(written.ok ? StringId::MidiFileSaved : StringId::ErrorSavingMidiFile));
    return written.ok;
}

}  // namespace ks
