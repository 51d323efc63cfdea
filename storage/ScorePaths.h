// The element paths a score reader knows: each full path of element names from the
// root ("<keystaves><score><tracks><track>") maps to what the reader does with it.
#pragma once

#include <QStringView>

namespace ks {

enum class ScorePath {
    Unknown = 0,
    // current format
    Root,
    Printer,
    DevMode,
    DevNames,
    Margins,
    Score,
    Preferences,
    PreferencesFont,
    MidiPrefs,
    PaperColour,
    TextBox,
    Part,
    Bars,
    Bar,
    Lines,
    Line,
    TimeSignature,
    KeySignature,
    Tracks,
    Track,
    TempoTrack,
    AnnotationTrack,
    Note,
    Event,
    Volta,
    Tempos,
    Annotations,
    UserFonts,
    UserFont,
    Page,
    Undo,
    UndoTrack,
    UndoBar,
    UndoLine,
    Selection,
    SettingsSnapshot,  // <keystaves><preferences>: a display-settings undo step
    SettingsSnapshotFont,
    SettingsSnapshotMidi,
    SettingsSnapshotPaper,
    // predecessor format
    OldRoot,
    OldMidi,
    OldTimeSignature,
    OldTrack,
    OldNote,
    OldTriplet,
    OldTripletNote,
    OldPhrase,
    OldSpelling,
    OldDevMode,
    OldDevNames,
    OldScore,
    OldBars,
    OldBar,
    OldAnnotation,
    OldAnnotationFont,
    OldDisplayItem,
    OldLine,
    OldPart,
    OldPreferences,
    OldPreferencesFont,
    OldVolta,
};

// Looks a path up, names compared without case. Unlisted paths give Unknown.
ScorePath lookUpScorePath(QStringView path);

// The length of the longest path listed: a longer path is always Unknown.
qsizetype longestScorePath();

}  // namespace ks
