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
// Note entry and the note-level editing commands.
constexpr int InsertNotes = 34033;
constexpr int BarLineStyle = 34047;
constexpr int AddOrnament = 34094;
constexpr int ConvertTuplet = 34221;
constexpr int DeleteNotes = 49000;
constexpr int DeleteTempo = 49001;
constexpr int ChangeNoteLengths = 49002;
constexpr int RemoveOrnament = 49003;
constexpr int ClearOrnament = 49004;
constexpr int MoveOrnament = 49005;
constexpr int ResetFingering = 49006;
constexpr int AddGraceNote = 49007;
constexpr int EditGraceNote = 49008;
constexpr int RemoveGraceNote = 49009;
constexpr int LyricEditing = 49010;
constexpr int MoveLyric = 49011;
constexpr int ResetLyricAlignment = 49012;
constexpr int AnnotationPositioning = 49013;
constexpr int EditTempo = 49014;
constexpr int FingeringAtOneTime = 49015;
constexpr int AskTupletDeletesNotes = 49016;
constexpr int AskTupletCountMismatch = 49017;
constexpr int AskResetLyrics = 49018;
constexpr int TupletDialogTitle = 49019;
constexpr int TupletDialogPrompt = 49020;
}  // namespace ks::StringId
