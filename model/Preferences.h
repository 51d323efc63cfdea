// Per-document settings: MIDI playback and display/editing preferences.
// Member initialisers hold the built-in defaults a new document receives.
#pragma once

#include <cstdint>

namespace ks {

constexpr int32_t kMinFontSize = 53;
constexpr int32_t kMaxColourMode = 4;
constexpr int32_t kDefaultPaperColour = 0xFFFFFF;
constexpr int32_t kDefaultGridColour = 128;

struct CMidiSettings {
    int32_t device = 0;
    int32_t channel = 0;
    int32_t program = 0;
    int32_t tickchannel = 9;
    int32_t tickprogram = 0;
    int32_t tickpitch = 37;
    bool tick = false;  // metronome on
    int32_t tempo = 120;
    int32_t velocity = 127;
    int32_t compression = 0;

    bool operator==(const CMidiSettings&) const = default;
};

namespace ExtendMode {
constexpr int32_t LedgerLines = 0;
constexpr int32_t StaveLines = 1;
constexpr int32_t FullStave = 2;
constexpr int32_t FullStaveFaded = 3;
constexpr int32_t AffectedBars = 4;
}  // namespace ExtendMode

struct CDisplaySettings {
    int32_t lyricalign = 6;     // 6 centre, 0 right, 2 left
    int32_t lyricposition = 1;  // 0 above right hand, 1 between staves, 2 below left hand
    int32_t textoffset1 = -10;
    int32_t textoffset2 = 0;
    int32_t textoffset3 = 0;
    int32_t extendmode = ExtendMode::AffectedBars;
    bool optimise = true;
    int32_t barsperline = 3;
    int32_t fontsize = 107;   // never below kMinFontSize
    int32_t cursorstep = 0;   // 0 beat, 1 smooth
    int32_t cursorstyle = 2;  // 0 line, 1 highlight notes, 2 both
    int32_t zoom = 100;
    bool showcopyright = false;
    bool showtitle = true;
    bool showsubtitle = false;
    bool showpagenumbers = true;
    bool showbarnumbers = true;
    bool showclefs = true;
    bool showkeyboards = false;
    bool showannotations = true;
    bool showtimesignature = true;
    bool showtempo = true;
    bool showrests = true;
    bool showlyrics = true;
    bool grayties = true;
    bool customfingering = false;
    bool showartist = true;
    bool showfilename = false;
    bool dynamicorientation = false;
    bool showstems = true;
    bool hiderestsatstart = true;
    bool hiderestsatend = true;
    bool indentatstart = true;
    bool indentatend = true;
    bool usebarzero = true;
    bool fadeextend = true;
    bool showonlyusedlines = false;
    bool reducedspacing = true;
    int32_t stavetype = 0;  // 0 = normal keystave; 3 and 4 conventional
    bool thicklines = false;
    bool showfingering = true;
    bool showkey = true;
    bool minorkey = false;
    int32_t key = -1;  // 0..14, the key at bar 0 without its minor offset; -1 none
    int32_t colourmode = kMaxColourMode;
    int32_t paper = kDefaultPaperColour;
    int32_t margin = kDefaultPaperColour;
    int32_t grid = kDefaultGridColour;
    int32_t stavegap = 0;

    bool operator==(const CDisplaySettings&) const = default;
};

}  // namespace ks
