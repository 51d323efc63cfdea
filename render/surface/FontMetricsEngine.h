// Font measurement in page units, the same for every surface. Each font is measured once
// at a large reference pixel size without hinting and scaled linearly to the size asked
// for, so fractional sizes are exact and a layout computed for the screen matches the
// printed page.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QRectF>

#include "render/surface/SurfaceTypes.h"

namespace ks {

size_t qHash(const FontSpec& font, size_t seed = 0);

class FontMetricsEngine {
  public:
    static constexpr int kReferencePixels = 1024;

    static FontMetricsEngine& instance();

    TextMetrics measure(const FontSpec& font, const QString& text);
    double cellHeight(const FontSpec& font);
    // The box of the ink `text` puts on the page, in page units from the left end of its
    // baseline (y downward): narrower than the cell, which is what collision checks need.
    QRectF inkBounds(const FontSpec& font, const QString& text);

    // How a back end draws a font: the QFont at the reference pixel size and the scale
    // factors (page units per reference pixel) that bring it to the size asked for.
    struct Drawing {
        QFont font;
        double scaleX = 1.0;
        double scaleY = 1.0;
    };
    Drawing drawing(const FontSpec& font);

    // The glyphs of `text` in page units (the font at the size asked for), placed one
    // after the other from (0, 0) by their advances, without shaping: for fonts whose
    // texts need none (the music font's glyphs) and that are not stretched. Kept for
    // short texts, as drawing shows the same few over and over.
    QGlyphRun glyphRun(const FontSpec& font, const QString& text);

  private:
    FontMetricsEngine() = default;
    struct Entry {
        QFont font;
        double scale = 1.0;              // page units per reference pixel
        double widthScale = 1.0;         // horizontal stretch asked for by FontSpec::width
        double ascent = 0, descent = 0;  // page units
        // Advances of texts measured before, in reference pixels: drawing measures the
        // same few glyphs over and over.
        QHash<QString, double> advances;
        QRawFont raw;  // at the size asked for, made on the first glyph run
        QHash<QString, QGlyphRun> runs;
    };
    Entry& entry(const FontSpec& font);
    QMutex mutex_;
    QHash<FontSpec, Entry> cache_;
    QHash<QString, QString> drawingFamilies_;  // family named -> family drawn
    FontSpec lastFont_;                        // the font looked up last ...
    Entry* last_ = nullptr;                    // ... and its entry (the cache only grows)
};

}  // namespace ks
