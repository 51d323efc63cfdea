#include "FontMetricsEngine.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "render/surface/FontFamilies.h"

namespace ks {

namespace {

// Texts whose advances are kept; longer ones are measured each time.
constexpr qsizetype kCachedTextLength = 16;
constexpr qsizetype kCachedTexts = 4096;

// `family` is the family to draw for f.family.
QFont referenceFont(const FontSpec& f, const QString& family) {
    QFont font(family);
    font.setPixelSize(FontMetricsEngine::kReferencePixels);
    // Windows weights run 100..900 like Qt's.
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight <= 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeout);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    // Only the face asked for: a glyph it lacks must not come from another font.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    return font;
}

}  // namespace

FontMetricsEngine& FontMetricsEngine::instance() {
    static FontMetricsEngine engine;
    return engine;
}

size_t qHash(const FontSpec& f, size_t seed) {
    return qHashMulti(seed, f.family, f.height, f.weight, f.width, f.italic, f.underline,
                      f.strikeout);
}

FontMetricsEngine::Entry& FontMetricsEngine::entry(const FontSpec& f) {
    // Drawing asks for the same font many times in a row.
    if (last_ && lastFont_ == f) return *last_;
    if (auto it = cache_.find(f); it != cache_.end()) {
        lastFont_ = f;
        last_ = &*it;
        return *it;
    }
    // The document's family goes through our own table first, so that the platform's
    // substitution only sees families the table does not know.
    auto family = drawingFamilies_.constFind(f.family);
    if (family == drawingFamilies_.constEnd())
        family =
            drawingFamilies_.insert(f.family, drawingFamily(f.family, QFontDatabase::families()));
    Entry e;
    e.font = referenceFont(f, *family);
    const QFontMetricsF metrics(e.font);
    // Sizes beyond a few miles are no use and must not overflow.
    const double requested = std::clamp(std::abs(double(f.height)), 1.0, 1e8);
    // Negative heights are em heights; positive ones are cell heights.
    const double reference =
        f.height > 0 && metrics.height() > 0 ? metrics.height() : double(kReferencePixels);
    e.scale = requested / reference;
    e.ascent = metrics.ascent() * e.scale;
    e.descent = metrics.descent() * e.scale;
    const double average = metrics.averageCharWidth() * e.scale;
    if (f.width > 0 && average > 0) e.widthScale = f.width / average;
    // Inserting may move the entries.
    Entry& inserted = *cache_.insert(f, e);
    lastFont_ = f;
    last_ = &inserted;
    return inserted;
}

TextMetrics FontMetricsEngine::measure(const FontSpec& font, const QString& text) {
    QMutexLocker lock(&mutex_);
    Entry& e = entry(font);
    TextMetrics m;
    m.ascent = e.ascent;
    m.descent = e.descent;
    if (text.isEmpty()) return m;
    double advance;
    if (auto it = e.advances.constFind(text); it != e.advances.constEnd()) {
        advance = *it;
    } else {
        advance = QFontMetricsF(e.font).horizontalAdvance(text);
        if (text.size() <= kCachedTextLength) {
            if (e.advances.size() >= kCachedTexts) e.advances.clear();
            e.advances.insert(text, advance);
        }
    }
    m.width = advance * e.scale * e.widthScale;
    return m;
}

QRectF FontMetricsEngine::inkBounds(const FontSpec& font, const QString& text) {
    QMutexLocker lock(&mutex_);
    const Entry& e = entry(font);
    if (text.isEmpty()) return {};
    const QRectF r = QFontMetricsF(e.font).tightBoundingRect(text);
    const double sx = e.scale * e.widthScale;
    return QRectF(r.left() * sx, r.top() * e.scale, r.width() * sx, r.height() * e.scale);
}

double FontMetricsEngine::cellHeight(const FontSpec& font) {
    QMutexLocker lock(&mutex_);
    const Entry& e = entry(font);
    return e.ascent + e.descent;
}

FontMetricsEngine::Drawing FontMetricsEngine::drawing(const FontSpec& font) {
    QMutexLocker lock(&mutex_);
    const Entry& e = entry(font);
    return {e.font, e.scale * e.widthScale, e.scale};
}

QGlyphRun FontMetricsEngine::glyphRun(const FontSpec& font, const QString& text) {
    QMutexLocker lock(&mutex_);
    Entry& e = entry(font);
    if (auto it = e.runs.constFind(text); it != e.runs.constEnd()) return *it;
    if (!e.raw.isValid()) {
        e.raw = QRawFont::fromFont(e.font);
        e.raw.setPixelSize(kReferencePixels * e.scale);
    }
    QGlyphRun run;
    run.setRawFont(e.raw);
    const QList<quint32> glyphs = e.raw.glyphIndexesForString(text);
    const QList<QPointF> advances =
        e.raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    QPointF pen;
    for (const QPointF& advance : advances) {
        positions.append(pen);
        pen += advance;
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(e.font.underline());
    run.setStrikeOut(e.font.strikeOut());
    if (text.size() <= kCachedTextLength) {
        if (e.runs.size() >= kCachedTexts) e.runs.clear();
        e.runs.insert(text, run);
    }
    return run;
}

}  // namespace ks
