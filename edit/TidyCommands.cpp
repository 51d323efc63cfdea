#include "TidyCommands.h"

#include "edit/EditTextIds.h"
#include "model/ScoreOperations.h"

namespace ks {

bool runTidyCommand(TidyCommand command, CScore& score, CUndoHistory& history,
                    IDocumentPrompts& prompts) {
    int label = 0;
    switch (command) {
        case TidyCommand::RemoveOverlaps:
            if (!prompts.askYesNo(StringId::AskRemoveOverlaps, {})) return false;
            label = StringId::RemoveOverlaps;
            break;
        case TidyCommand::ExtendNotes:
            label = StringId::ExtendNotes;
            break;
        case TidyCommand::ShortenNotes:
            label = StringId::ShortenNotes;
            break;
    }
    const bool recorded = history.Push(label, UndoKind::Score);
    bool changed = false;
    switch (command) {
        case TidyCommand::RemoveOverlaps:
            changed = removeOverlaps(score);
            break;
        case TidyCommand::ExtendNotes:
            changed = extendNotes(score);
            break;
        case TidyCommand::ShortenNotes:
            changed = shortenNotesAtBarLines(score);
            break;
    }
    if (!changed && recorded) history.DiscardLast();
    return changed;
}

}  // namespace ks
