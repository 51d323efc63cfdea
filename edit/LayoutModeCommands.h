// The Layout-mode commands on lines: each asks its question where it has one, records
// one undo step with its label, changes the layout, and drops the step again when
// nothing changed.
#pragma once

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "storage/DocumentPrompts.h"
#include "storage/UndoHistory.h"

namespace ks {

enum class LayoutCommand {
    IncreaseBarsInLine,   // "&Increase Bars in Line" (Right)
    DecreaseBarsInLine,   // "&Decrease Bars in Line" (Left)
    LengthenLine,         // Ctrl+Shift+Right
    ShortenLine,          // Ctrl+Shift+Left
    ResetBarsInLine,      // "Reset &Bar Adjustments for Line" (Ctrl+B)
    ResetStavePositions,  // "Reset &Stave Positions for All Lines" (Ctrl+L)
    ResetAllLayout,       // "&Reset All Layout Adjustments" (Ctrl+R)
    AutoSpaceLines,       // "Auto Space Lines on &Pages" (Ctrl+T)
    ResetAndAutoSpace,    // "Reset Previous Adjustments and then Auto Space" (Ctrl+Shift+L)
    AutoAdjustFirstLine,  // "Auto Adjust First &Line to Fit Page Width" (Ctrl+Q)
};

struct LayoutCommandContext {
    CScore& score;
    CUndoHistory& history;
    IDocumentPrompts& prompts;
    PageGeometry page;
    int selectedLine = 0;         // the line chosen in Layout mode
    int32_t titleLineHeight = 0;  // one title line as drawn; 0 = the title font's height
};

// Annotations and tempo marks of the first line that would start left of the left
// margin move to the tick at the margin. Part of "Auto Adjust First Line". True when any
// moved.
bool moveMarksToLeftMargin(CScore& score, const PageGeometry& page);

// Runs a command; true when the layout changed (and an undo step was kept).
bool runLayoutCommand(LayoutCommand command, LayoutCommandContext& context);

}  // namespace ks
