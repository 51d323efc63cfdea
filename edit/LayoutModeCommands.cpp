#include "LayoutModeCommands.h"

#include "edit/EditTextIds.h"
#include "edit/UndoStep.h"
#include "render/layout/AutoSpaceLines.h"
#include "render/layout/LayoutCommands.h"
#include "render/layout/TickMapping.h"

namespace ks {

namespace {

// Records a step, runs the change, and drops the step when nothing changed.
template <class Change>
bool step(LayoutCommandContext& c, int label, int32_t kind, int32_t index, Change change) {
    return recordStep(c.history, label, kind, index, change);
}

bool resetAll(LayoutCommandContext& c) {
    const int32_t lineHeight =
        c.titleLineHeight > 0 ? c.titleLineHeight : defaultTitleLineHeight(c.score);
    return step(c, StringId::ResetLayout, UndoKind::Score, 0,
                [&] { return resetAllLayoutAdjustments(c.score, c.page, lineHeight); });
}

}  // namespace

bool moveMarksToLeftMargin(CScore& score, const PageGeometry& page) {
    const CScoreLine& first = score.line(0);
    if (score.lines.empty() || first.barsInLine <= 0) return false;
    bool moved = false;
    const auto moveIn = [&](CTrack& track, int32_t type) {
        std::vector<CEvent> keep, shifted;
        for (const CEvent& e : track.events) {
            const int bar = score.barAtTick(e.time);
            const bool onFirstLine =
                bar >= first.firstBar && bar < first.firstBar + first.barsInLine;
            if (e.type != type || !onFirstLine || tickToX(score, bar, e.time) >= page.left()) {
                keep.push_back(e);
                continue;
            }
            // The first tick of the bar drawn at or right of the margin.
            int32_t lo = e.time, hi = score.barStart(bar) + score.barLength(bar) - 1;
            while (lo < hi) {
                const int32_t mid = lo + (hi - lo) / 2;
                if (tickToX(score, bar, mid) >= page.left())
                    hi = mid;
                else
                    lo = mid + 1;
            }
            CEvent m = e;
            m.time = lo;
            if (m.time != e.time) moved = true;
            shifted.push_back(m);
        }
        if (shifted.empty()) return;
        keep.insert(keep.end(), shifted.begin(), shifted.end());
        track.events.assign(std::move(keep));
    };
    moveIn(score.annotationTrack, EventType::Annotation);
    moveIn(score.tempoTrack, EventType::Tempo);
    return moved;
}

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
            return step(c, StringId::AutoAdjustFirstLine, UndoKind::Score, 0, [&] {
                const bool moved = autoAdjustFirstLine(c.score, c.page);
                const bool marks = moveMarksToLeftMargin(c.score, c.page);
                return moved || marks;
            });
    }
    return false;
}

}  // namespace ks
