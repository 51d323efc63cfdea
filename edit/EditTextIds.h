// Ids of the texts of the editing commands.
#pragma once

#include "model/StringIds.h"

namespace ks::StringId {
constexpr int LinePositioning = 34140;
constexpr int SetLineSize = 34144;
constexpr int ChangeBarsPerLine = 40300;
constexpr int ResetBarsPerLine = 40301;
constexpr int ResetLinePositioning = 40302;
constexpr int ResetLayout = 40303;
constexpr int AutoSpaceLinesOnPages = 40304;
constexpr int AutoAdjustFirstLine = 40305;
constexpr int AskResetLinePositions = 40306;
constexpr int AskResetAllLayout = 40307;
constexpr int MidiFileSaved = 34202;
constexpr int ErrorSavingMidiFile = 34203;
constexpr int PlainText = 40310;  // "%s": a message whose text is ready made
constexpr int RemoveOverlaps = 40311;
constexpr int ExtendNotes = 40312;
constexpr int ShortenNotes = 40313;
constexpr int AskRemoveOverlaps = 40314;
constexpr int MidiImportTitle = 40315;
constexpr int MidiImportGroup = 40316;
constexpr int MidiImportRemoveOverlapping = 40317;
constexpr int MidiImportExtendNotes = 40318;
constexpr int MidiImportShortenNotes = 40319;
// Music mode: cursor, selection and the mouse.
constexpr int MoveItem = 48600;
constexpr int ResizeItem = 48601;
constexpr int MoveNotes = 48602;
constexpr int CopyNotes = 48603;
constexpr int TransposeNotes = 48604;
}  // namespace ks::StringId
