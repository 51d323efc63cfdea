// What the display settings dialog edits, without the dialog: the values of its
// controls, how they are read from a score's preferences and stored back, the labels
// derived from them, and the approximate number of lines per page.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "model/Preferences.h"
#include "model/Score.h"

namespace ks {

struct DisplayControls {
    int barsPerLineIndex = 2;     // list entry: barsperline - 1
    int fontsize = 107;           // slider 53..200
    int stavegap = 0;             // slider 0..32
    int colourEntry = 0;          // "Notes & Staves;Black & White;Staves;Notes;"
    int extendMode = 4;           // list entry = extendmode
    int staveType = 0;            // the number of the chosen stave type entry
    bool stemDirection = true;    // "Stem direction to show left or right hand"
    bool whiteNoteSpace = false;  // "Increase space between adjacent White Notes"
    bool thickLines = false;
    bool fadeTies = true;
    bool onlyUsedLines = false;
    bool preventOverlap = true;
    bool fingeringNearHead = false;
    // Show
    bool title = true, subtitle = false, copyright = false, composer = true;
    bool timeSignature = true, keySignature = true, rests = true, tempo = true, stems = true;
    bool fingering = true, lyrics = true, barNumbers = true, pageNumbers = true;
    bool keyboards = false, clefs = true, filename = false, annotations = true;
    // Cropping
    bool cropStart = true, cropEnd = true, indentStart = true, barZero = true, indentEnd = true;
    int orientation = 1;  // 1 portrait, 2 landscape

    bool operator==(const DisplayControls&) const = default;
};

inline constexpr int kMinMusicSize = 53;
inline constexpr int kMaxMusicSize = 200;

inline constexpr int kMaxHandGapControl = 32;
inline constexpr int kBarsPerLineChoices = 16;

// The controls as the dialog opens on these preferences and page orientation.
DisplayControls controlsFromPreferences(const CDisplaySettings& prefs, int orientation);

// Stores the controls into the preferences (every control at once).
void applyControls(const DisplayControls& controls, CDisplaySettings& prefs);

// Keeps Title and Subtitle consistent after one of them changed: unticking Title
// unticks Subtitle, ticking Subtitle ticks Title.
void coupleTitleBoxes(DisplayControls& controls, bool titleChanged);

// Number of entries of the bars-per-line list: 1..16, or up to the stored value when
// that is larger (at most 100).
int barsPerLineChoices(int32_t barsperline);

// The stave types of the list "n|name;..." and the entry index of a stave type number.
struct StaveTypeEntry {
    int number = 0;
    QString name;
};
std::vector<StaveTypeEntry> staveTypeEntries(const QString& list);

// "%.2fmm" labels beside the sliders.
QString musicSizeLabel(int fontsize);
QString handGapLabel(int stavegap, int fontsize);

// Whether "Indent first bar" and "Name 'lead in' bar number zero" can be chosen: only
// when the first shown note starts after tick 0.
bool leadInChoicesEnabled(const CScore& score);

// The approximate number of lines per page from the line count of each page.
int approximateLinesPerPage(const std::vector<int>& lineCounts);
int approximateLinesPerPage(const CScore& score);

}  // namespace ks
