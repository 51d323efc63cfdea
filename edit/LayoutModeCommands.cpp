#include "LayoutModeCommands.h"

#include "edit/EditTextIds.h"
#include "render/AutoSpaceLines.h"
#include "render/LayoutCommands.h"

namespace ks {

namespace {

// Records a step, runs the change, and drops the step when nothing changed.
template <class Change>
bool step(LayoutCommandContext& c, int label, int32_t kind, int32_t index, Change change) {
    const bool recorded = c.history.Push(label, kind, index);
    const bool changed = change();
    if (!changed && recorded) c.history.DiscardLast();
    return changed;
}

bool resetAll(LayoutCommandContext& c) {
    const int32_t lineHeight =
        c.titleLineHeight > 0 ? c.titleLineHeight : defaultTitleLineHeight(c.score);
    return step(c, StringId::ResetLayout, UndoKind::Score, 0,
                [&] { return resetAllLayoutAdjustments(c.score, c.page, lineHeight); });
}

}  // namespace

bool runLayoutCommand(LayoutCommand command, LayoutCommandContext& c) {
    const int line = c.selectedLine;
    switch (command) {
        case LayoutCommand::IncreaseBarsInLine:
        case LayoutCommand::DecreaseBarsInLine: {
            const int delta = command == LayoutCommand::IncreaseBarsInLine ? 1 : -1;
            return step(c, StringId::ChangeBarsPerLine, UndoKind::Line, line,
                        [&] { return changeBarsInLine(c.score, line, delta, c.page); });
        }
        case LayoutCommand::LengthenLine:
        case LayoutCommand::ShortenLine: {
            const int steps = command == LayoutCommand::LengthenLine ? 1 : -1;
            return step(c, StringId::SetLineSize, UndoKind::Line, line,
                        [&] { return changeLineSize(c.score, line, steps, c.page); });
        }
        case LayoutCommand::ResetBarsInLine:
            return step(c, StringId::ResetBarsPerLine, UndoKind::Line, line,
                        [&] { return resetBarsInLine(c.score, line, c.page); });
        case LayoutCommand::ResetStavePositions:
            if (!c.prompts.askYesNo(StringId::AskResetLinePositions, {})) return false;
            return step(c, StringId::ResetLinePositioning, UndoKind::Score, 0,
                        [&] { return resetLinePositions(c.score, c.page); });
        case LayoutCommand::ResetAllLayout:
            if (!c.prompts.askYesNo(StringId::AskResetAllLayout, {})) return false;
            return resetAll(c);
        case LayoutCommand::AutoSpaceLines:
            return step(c, StringId::AutoSpaceLinesOnPages, UndoKind::Score, 0,
                        [&] { return autoSpaceLines(c.score, c.page); });
        case LayoutCommand::ResetAndAutoSpace: {
            // Two steps, so each can be undone on its own.
            if (!c.prompts.askYesNo(StringId::AskResetAllLayout, {})) return false;
            const bool reset = resetAll(c);
            const bool spaced = step(c, StringId::AutoSpaceLinesOnPages, UndoKind::Score, 0,
                                     [&] { return autoSpaceLines(c.score, c.page); });
            return reset || spaced;
        }
        case LayoutCommand::AutoAdjustFirstLine:
            return step(c, StringId::AutoAdjustFirstLine, UndoKind::Score, 0,
                        [&] { return autoAdjustFirstLine(c.score, c.page); });
    }
    return false;
}

}  // namespace ks
