// Character codes of the music font "Keystave". resources/font/SYMBOLS.md describes each
// glyph: its size, where it sits in the cell and what it looks like. A code is used as the
// Unicode code point with the same number, so drawing code writes QChar(code).
#pragma once

#include <array>

namespace ks::glyph {

// Drawn in the music font (em = fontsize); centred on the middle of the cell.
inline constexpr char16_t HeadFilled = u'6';
inline constexpr char16_t HeadHollow = u'7';
inline constexpr char16_t HeadWhole = u'8';
inline constexpr int InnerLayerOffset = 18;  // "H", "I", "J": coloured inside of a head
inline constexpr int OuterLayerOffset = 21;  // "K", "L", "M": black outside of a head
inline constexpr char16_t LetterHeadBackground = 217;
inline constexpr char16_t LetterHeadFilled = 218;
inline constexpr char16_t LetterHeadHollow = 219;
inline constexpr char16_t Dot = u'@';
inline constexpr char16_t DiamondBlackKey = u'N';
inline constexpr char16_t DiamondWhiteKey = u'O';
// Drawn in the music font, anchored at the cell top.
inline constexpr char16_t BarRest = 200;
inline constexpr char16_t StaveStart = u'P';

// Drawn in the large music font (em = 16 u), anchored at the cell top.
inline constexpr char16_t Rest32nd = u'<';
inline constexpr char16_t Rest16th = u';';
inline constexpr char16_t RestEighth = u':';
inline constexpr char16_t RestQuarter = u'=';
inline constexpr char16_t RestHalf = u'?';
inline constexpr char16_t RestWhole = u'>';
inline constexpr char16_t FlagUp = u'B';
inline constexpr char16_t FlagUpRepeated = u'C';
inline constexpr char16_t FlagDown = u'D';
inline constexpr char16_t FlagDownRepeated = u'E';
inline constexpr char16_t ClefUpper = u'F';
inline constexpr char16_t ClefLower = u'G';
inline constexpr char16_t RepeatDot = u'.';
inline constexpr char16_t Accent = u'A';
inline constexpr char16_t Staccato = 248;
inline constexpr char16_t Finger1 = u'1';  // "1" to "5"
inline constexpr char16_t Sharp = 204;     // before heads on conventional staves
inline constexpr char16_t Flat = 205;
inline constexpr char16_t Natural = 206;

// Tempo marks: a quarter note, and the dot that follows it for compound time.
inline constexpr char16_t TempoQuarter = 227;
inline constexpr char16_t TempoDot = 180;

// Symbols with a meaning of their own to the editor.
inline constexpr char16_t Crescendo = 193;
inline constexpr char16_t Diminuendo = 203;

// Every glyph placed by the stave, note and mark drawing.
inline constexpr std::array<char16_t, 40> kRoleCodes = {
    u'6', u'7', u'8', u'H', u'I', u'J', u'K', u'L', u'M', 217,  218,  219,  u'@', u'N',
    u'O', 200,  u'P', u'<', u';', u':', u'=', u'?', u'>', u'B', u'C', u'D', u'E', u'F',
    u'G', u'.', u'A', 248,  u'1', u'2', u'3', u'4', u'5', 204,  205,  206,
};

// The 111 symbols of the Insert Symbol dialog, in the order it lists them.
inline constexpr std::array<char16_t, 111> kSymbolCodes = {
    33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  47,  81,  82,  83,  84,  85,
    86,  87,  88,  89,  90,  91,  92,  93,  94,  95,  96,  97,  98,  99,  100, 101, 102, 103, 104,
    105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123,
    124, 125, 126, 196, 197, 199, 201, 209, 214, 220, 225, 224, 226, 228, 227, 229, 231, 233, 232,
    234, 235, 237, 236, 238, 239, 241, 243, 242, 244, 246, 245, 250, 249, 251, 252, 176, 162, 163,
    167, 182, 223, 174, 169, 180, 168, 198, 216, 177, 165, 181, 170, 193, 203, 191,
};

}  // namespace ks::glyph
