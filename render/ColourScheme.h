// The octave colour palette, colour modes and the switches drawing derives from them,
// paper colours, and the colour file "colours.txt".
#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "model/Preferences.h"

namespace ks {

using Palette = std::array<QColor, 10>;

// The built-in palette, index = octave mod 10.
const Palette& builtInPalette();
// The palette in use by every document: the built-in one, or the last one read from a
// colour file or applied from the custom-colours dialog.
const Palette& activePalette();
void setActivePalette(const Palette& palette);
void resetActivePalette();

// Colour of a pitch's octave: index (pitch div 12) mod 10 of the active palette.
QColor octaveColour(int pitch);
// Each channel becomes 128 + channel / 2, `times` times over.
QColor fade(QColor colour, int times = 1);

// A stored colour value (red in the low byte) as a colour, and back.
QColor colourFromRef(int32_t value);
int32_t refFromColour(const QColor& colour);

// The colour-mode list of the display settings dialog: "Notes & Staves;Black & White;
// Staves;Notes;". Stored values 0..4 show as entries 1, 2, 2, 3, 0; entries 0..3 store
// 4, 0, 2, 3.
int colourModeEntry(int storedMode);
int colourModeForEntry(int entry);

// What drawing colours and shows, derived from the preferences.
struct DrawingSwitches {
    bool shadeBackground = false;
    bool colourStaveLines = false;
    bool colourNoteHeads = false;
    bool keyboardGuides = false;
    bool reducedSpacing = false;
    bool extendOnAffectedBars = false;
};

// `conventionalView`: a conventional stave type (3 or 4) shown in Page or Layout mode,
// where only stave-line colour remains (type 4).
DrawingSwitches deriveSwitches(const CDisplaySettings& prefs, bool pageOrLayoutMode);

// The colour file: "[KSV]", ten lines "r, g, b", "[/KSV]". A palette is returned only
// when all twelve lines are right.
bool parseColourText(const QString& text, Palette& out);
// Reads "colours.txt" from `workingFolder`, else from `programFolder`, and makes its
// palette active. False (palette unchanged) when neither opens or the content is wrong.
bool LoadColourFile(const QString& workingFolder, const QString& programFolder);
// The custom-colours dialog's preview: parse the text and make it active when right.
bool ApplyColourText(const QString& text);

}  // namespace ks
