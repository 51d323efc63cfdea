#include "DrawnBoxes.h"

#include <QRegularExpression>
#include <algorithm>

#include "render/surface/FontMetricsEngine.h"
#include "resources/MusicGlyphs.h"

namespace ks {

namespace {

QString kindOf(const QString& element) {
    return element.section(u' ', 0, 0);
}

// The kind of the element around the innermost one ("lyric" around "event 4").
QString outerKind(const DrawnItem& item) {
    return item.path.size() >= 2 ? kindOf(item.path[item.path.size() - 2]) : QString();
}

char16_t firstGlyph(const DrawnItem& item) {
    return item.text.isEmpty() ? 0 : item.text.front().unicode();
}

bool isDynamic(const QString& text) {
    static const QRegularExpression dynamic(QStringLiteral("^(s?f+z?|m?[pf]+|r?fz|sfp|fp)$"));
    return dynamic.match(text.trimmed()).hasMatch();
}

QString noteKind(const DrawnItem& item) {
    if (item.type != DrawnItem::Type::Text) return QStringLiteral("accidental");
    const char16_t g = firstGlyph(item);
    if (g == glyph::Dot) return QStringLiteral("dot");
    if (g == glyph::Sharp || g == glyph::Flat || g == glyph::Natural)
        return QStringLiteral("accidental");
    return QStringLiteral("notehead");
}

QString chordKind(const DrawnItem& item) {
    if (item.type == DrawnItem::Type::Line && item.points.size() == 2) {
        if (item.points[0].x() == item.points[1].x()) return QStringLiteral("stem");
        return {};  // ledger lines belong to the stave
    }
    return QStringLiteral("flag");
}

QString barKind(const DrawnItem& item) {
    if (item.type == DrawnItem::Type::Text) return QStringLiteral("repeatdots");
    // Level strokes in a bar are its stretch of the stave lines.
    if (item.type == DrawnItem::Type::Line && item.points.size() == 2 &&
        item.points[0].y() == item.points[1].y())
        return {};
    return QStringLiteral("barline");
}

QString eventKind(const DrawnItem& item) {
    const QString outer = outerKind(item);
    if (outer == u"lyric") return QStringLiteral("lyric");
    if (outer == u"wedge") return QStringLiteral("wedge");
    if (outer == u"notemarks") {
        const char16_t g = firstGlyph(item);
        if (g >= glyph::Finger1 && g < glyph::Finger1 + 5) return QStringLiteral("fingering");
        return QStringLiteral("articulation");
    }
    return {};  // phrase marks
}

QRect pointsBox(const QVector<QPoint>& points, int penWidth) {
    if (points.isEmpty()) return {};
    int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPoint& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const int half = std::max(penWidth, 1) / 2;
    return QRect(QPoint(left - half, top - half), QPoint(right + half, bottom + half));
}

}  // namespace

QString drawnKind(const DrawnItem& item) {
    if (item.path.isEmpty()) return {};
    const QString k = kindOf(item.element);
    if (k == u"note") return noteKind(item);
    if (k == u"chord") return chordKind(item);
    if (k == u"event") return eventKind(item);
    if (k == u"bar") return barKind(item);
    if (k == u"annotation")
        return isDynamic(item.text) ? QStringLiteral("dynamic") : QStringLiteral("annotation");
    if (k == u"text") return QStringLiteral("title");
    static const QStringList same = {
        QStringLiteral("beam"),   QStringLiteral("rest"),      QStringLiteral("clef"),
        QStringLiteral("keysig"), QStringLiteral("timesig"),   QStringLiteral("barnumber"),
        QStringLiteral("volta"),  QStringLiteral("tempo")};
    return same.contains(k) ? k : QString();
}

QRect inkBox(const DrawnItem& item) {
    switch (item.type) {
        case DrawnItem::Type::Text: {
            if (item.text.trimmed().isEmpty()) return {};
            FontMetricsEngine& fonts = FontMetricsEngine::instance();
            const double baseline = item.rect.top() + fonts.measure(item.font, item.text).ascent;
            const QRectF ink =
                fonts.inkBounds(item.font, item.text).translated(item.rect.left(), baseline);
            return ink.toAlignedRect();
        }
        case DrawnItem::Type::FillRect:
        case DrawnItem::Type::Arc:
            return item.rect;
        default:
            return pointsBox(item.points, item.pen.width);
    }
}

std::vector<DrawnBox> drawnBoxes(const std::vector<DrawnItem>& items) {
    std::vector<DrawnBox> out;
    for (const DrawnItem& item : items) {
        const QString kind = drawnKind(item);
        if (kind.isEmpty()) continue;
        const QRect box = inkBox(item);
        if (box.isEmpty()) continue;
        out.push_back({kind, box, item.path, item.text});
    }
    return out;
}

}  // namespace ks
