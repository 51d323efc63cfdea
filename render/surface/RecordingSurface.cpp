#include "RecordingSurface.h"

#include <cmath>

namespace ks {

RecordingSurface::RecordingSurface(Kind kind, QRect visible) : CSurface(kind), visible_(visible) {}

QRect RecordingSurface::visibleArea() const {
    return visible_.isEmpty() ? CSurface::visibleArea() : visible_;
}

void RecordingSurface::add(DrawnItem item) {
    item.element = elements_.isEmpty() ? QString() : elements_.last();
    item.path = elements_;
    items_.push_back(std::move(item));
}

void RecordingSurface::drawLine(QPoint from, QPoint to, const Pen& pen) {
    add({.type = DrawnItem::Type::Line, .points = {from, to}, .pen = pen});
}

void RecordingSurface::drawPolyline(const QVector<QPoint>& points, const Pen& pen) {
    add({.type = DrawnItem::Type::Polyline, .points = points, .pen = pen});
}

void RecordingSurface::fillRect(const QRect& rect, const QColor& colour) {
    add({.type = DrawnItem::Type::FillRect, .rect = rect, .colour = colour});
}

void RecordingSurface::fillPolygon(const QVector<QPoint>& points, const QColor& colour) {
    add({.type = DrawnItem::Type::FillPolygon, .points = points, .colour = colour});
}

void RecordingSurface::drawArc(const QRect& box, QPoint start, QPoint end, const Pen& pen) {
    add({.type = DrawnItem::Type::Arc, .points = {start, end}, .rect = box, .pen = pen});
}

void RecordingSurface::drawBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3, const Pen& pen) {
    add({.type = DrawnItem::Type::Bezier, .points = {p0, c1, c2, p3}, .pen = pen});
}

void RecordingSurface::drawText(QPoint at, const QString& text, const FontSpec& font,
                                const QColor& colour, int align) {
    const TextMetrics m = measure(font, text);
    double left = at.x();
    if ((align & TextAlign::HorizontalMask) == TextAlign::Right) left -= m.width;
    if ((align & TextAlign::HorizontalMask) == TextAlign::Centre) left -= m.width / 2;
    double top = at.y();
    if ((align & TextAlign::VerticalMask) == TextAlign::Baseline) top -= m.ascent;
    if ((align & TextAlign::VerticalMask) == TextAlign::Bottom) top -= m.height();
    const QRect box(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                    static_cast<int>(std::lround(m.width)),
                    static_cast<int>(std::lround(m.height())));
    add({.type = DrawnItem::Type::Text,
         .points = {at},
         .rect = box,
         .colour = colour,
         .text = text,
         .font = font,
         .align = align});
}

void RecordingSurface::beginElement(const QString& kind, int index) {
    elements_.append(QStringLiteral("%1 %2").arg(kind).arg(index));
}

void RecordingSurface::endElement() {
    if (!elements_.isEmpty()) elements_.removeLast();
}

std::vector<DrawnItem> RecordingSurface::itemsOf(DrawnItem::Type type,
                                                 const QString& elementKind) const {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : items_)
        if (i.type == type && (elementKind.isEmpty() || i.element.startsWith(elementKind + u' ')))
            out.push_back(i);
    return out;
}

std::vector<DrawnItem> RecordingSurface::texts(const QString& text) const {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : items_)
        if (i.type == DrawnItem::Type::Text && i.text == text) out.push_back(i);
    return out;
}

QStringList RecordingSurface::dump() const {
    static const char* names[] = {"line", "polyline", "fillrect", "fillpolygon",
                                  "arc",  "bezier",   "text"};
    QStringList lines;
    for (const DrawnItem& i : items_) {
        QString s = QString::fromLatin1(names[static_cast<int>(i.type)]);
        for (const QPoint& p : i.points)
            s += QStringLiteral(" (%1,%2)").arg(p.x()).arg(p.y());
        if (i.type == DrawnItem::Type::FillRect || i.type == DrawnItem::Type::Arc ||
            i.type == DrawnItem::Type::Text)
            s += QStringLiteral(" [%1,%2 %3x%4]")
                     .arg(i.rect.x())
                     .arg(i.rect.y())
                     .arg(i.rect.width())
                     .arg(i.rect.height());
        if (i.type == DrawnItem::Type::Text)
            s += QStringLiteral(" \"%1\" %2/%3 a%4")
                     .arg(i.text, i.font.family)
                     .arg(i.font.height)
                     .arg(i.align);
        if (i.type == DrawnItem::Type::FillRect || i.type == DrawnItem::Type::FillPolygon ||
            i.type == DrawnItem::Type::Text)
            s += u' ' + i.colour.name();
        else
            s += QStringLiteral(" pen %1 w%2 s%3")
                     .arg(i.pen.colour.name())
                     .arg(i.pen.width)
                     .arg(static_cast<int>(i.pen.style));
        if (!i.element.isEmpty()) s += QStringLiteral(" {%1}").arg(i.element);
        lines.append(s);
    }
    return lines;
}

}  // namespace ks
