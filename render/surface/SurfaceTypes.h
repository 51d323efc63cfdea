// Value types of the drawing surface: pens, fonts, text alignment and metrics.
// Coordinates are page units (thousandths of an inch), x to the right and y downward,
// the same as the layout's; back ends map them to their devices.
#pragma once

#include <QColor>
#include <QString>

namespace ks {

enum class PenStyle {
    Solid,
    Dashed,  // 50 units on, 50 off
    Dotted,
};

struct Pen {
    QColor colour = Qt::black;
    int width = 1;  // page units; a width of 0 or 1 draws at least one device pixel
    PenStyle style = PenStyle::Solid;
    bool squareCap = true;

    bool operator==(const Pen&) const = default;
};

// A font as the drawing code asks for it. `height` follows the platform's logical-font
// convention: negative = character (em) height, positive = cell height, in page units.
struct FontSpec {
    QString family;
    int height = -130;
    int weight = 400;
    int width = 0;  // average character width in page units; 0 = the face's own
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    bool operator==(const FontSpec&) const = default;
};

// Text alignment flags, combined by addition: horizontal (Left, Right, Centre) plus
// vertical (Top, Bottom, Baseline). Left + Top is 0.
namespace TextAlign {
constexpr int Left = 0;
constexpr int Right = 2;
constexpr int Centre = 6;
constexpr int Top = 0;
constexpr int Bottom = 8;
constexpr int Baseline = 24;
constexpr int HorizontalMask = 6;
constexpr int VerticalMask = 24;
}  // namespace TextAlign

struct TextMetrics {
    double width = 0;    // advance of the text
    double ascent = 0;   // cell top to baseline
    double descent = 0;  // baseline to cell bottom
    double height() const { return ascent + descent; }
};

}  // namespace ks
