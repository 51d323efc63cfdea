// The layout records a score keeps: pages, lines, bars and their spacing tables.
// The model only holds them and the few values saved with the document; the
// layout engine fills the rest.
#pragma once

#include <cstdint>

#include "SortedArray.h"

namespace ks {

constexpr int32_t kLineYtUnset = 0x7fff;
constexpr int32_t kDefaultBarWidth = 128;

struct CScorePage {
    int32_t firstLine = 0;
    int32_t lineCount = 0;
    int32_t reservedBottom = 0;  // room above the bottom edge kept for the footer texts

    bool operator==(const CScorePage&) const = default;
};

namespace LineFlag {
constexpr int32_t ReducedSpacing = 1;
constexpr int32_t BarsPositioned = 2;
constexpr int32_t CroppedStart = 4;
constexpr int32_t CroppedEnd = 8;
constexpr int32_t OnlyUsedLines = 16;
constexpr int32_t Conventional = 32;
}  // namespace LineFlag

struct CScoreLine {
    int32_t firstBar = 0;
    int32_t barsInLine = 0;
    int32_t pitchHigh = 60;
    int32_t pitchLow = 60;
    int32_t spaceAbove = 8;  // units
    int32_t spaceBelow = 8;  // units
    int32_t indentLeft = 0;
    int32_t indentRight = 0;
    int32_t page = 0;
    int32_t originY = 0;
    int32_t staveTop = 0;
    int32_t staveBottom = 0;
    int32_t left = 0;
    int32_t right = 0;
    int32_t barCount = 0;     // saved: bars per line chosen for this line, 0 = preference
    int32_t x = 0;            // saved: horizontal shift in units
    int32_t lpad = 0;         // saved: lyric padding
    double size = 1.0;        // saved: relative length of the line
    int32_t minStaveGap = 0;  // saved: smallest gap between the hands, units
    int32_t handGap = 0;
    int32_t y = 0;              // saved: vertical shift in units
    int32_t yt = kLineYtUnset;  // saved: vertical shift for conventional staves
    int32_t flags = 0;          // LineFlag bits

    bool operator==(const CScoreLine&) const = default;
};

struct CSpacing {
    int32_t tick = 0;      // absolute tick of a chord start, or of the bar start or end
    int32_t duration = 0;  // shortest chord duration starting here
    int32_t position = 0;  // widened ticks from the bar start
    int32_t drawnX = 0;    // x as last drawn

    static int compare(const CSpacing& a, const CSpacing& b) { return compareInts(a.tick, b.tick); }
    bool operator==(const CSpacing&) const = default;
};

namespace BarFlag {
constexpr int32_t Clef = 1;
constexpr int32_t TimeSig = 2;
constexpr int32_t TimeSigWide = 4;
constexpr int32_t KeySig = 8;
constexpr int32_t CroppedStart = 32;
constexpr int32_t CroppedEnd = 64;
}  // namespace BarFlag

struct CScoreBar {
    int32_t startTick = 0;
    int32_t lengthTicks = 0;
    int32_t beamedChords = 0;
    int32_t pitchHigh = 0;
    int32_t pitchLow = 0;
    int32_t extentHigh = 0;
    int32_t extentLow = 0;
    int32_t index = 0;
    int32_t line = 0;
    int32_t weightStart = 0;
    int32_t naturalWidth = 0;
    int32_t left = 0;
    int32_t right = 0;
    int32_t styleLeft = 0;             // saved: bar line style at the start, 1..5 (0 = default)
    int32_t styleRight = 0;            // saved: bar line style at the end
    int32_t width = kDefaultBarWidth;  // saved: relative width, 128 = normal
    int32_t restoffset[4] = {};        // saved: vertical offset of each part's rests
    int32_t keyAccidentals = 0;
    CSortedArray<CSpacing> spacing;
    int32_t flags = 0;  // BarFlag bits

    bool operator==(const CScoreBar&) const = default;
};

// Per-line adjustments read from predecessor documents.
struct CLinePadding {
    int32_t line = 0;
    int32_t padding = 0;
    int32_t lyricPadding = 0;
    int32_t barCount = 0;
    int32_t offset = 0;
    double width = 1.0;

    bool operator==(const CLinePadding&) const = default;
};

}  // namespace ks
