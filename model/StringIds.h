// Ids of the texts in the text table that code refers to by name.
#pragma once

namespace ks::StringId {
constexpr int Untitled = 34014;
constexpr int Unknown = 34015;
constexpr int InvalidFileType = 34018;
constexpr int UnableToOpenFile = 34021;
constexpr int ErrorLoadingFile = 34024;
constexpr int ErrorSavingFile = 34025;
constexpr int UndoPrefix = 34027;
constexpr int RedoPrefix = 34028;
constexpr int NothingToUndo = 34029;
constexpr int NothingToRedo = 34030;
constexpr int RedoShortcut = 34038;
constexpr int UndoShortcut = 34039;
constexpr int AnnotationEditing = 34115;
constexpr int SwitchToWindow = 34364;
constexpr int TempoTrack = 40000;
constexpr int AnnotationTrack = 40001;
constexpr int SectionCaption = 40002;
constexpr int MarkerAtSamePosition = 40003;
constexpr int MarkerAtStart = 40004;
}  // namespace ks::StringId
