// A drawing surface that records what is drawn where, for tests: every primitive with its
// geometry, pen, colour, font and the element it belongs to.
#pragma once

#include <QStringList>
#include <vector>

#include "render/surface/Surface.h"

namespace ks {

struct DrawnItem {
    enum class Type { Line, Polyline, FillRect, FillPolygon, Arc, Bezier, Text };
    Type type;
    QVector<QPoint> points;  // line: 2; arc: start, end; bezier: 4
    QRect rect;              // fill rectangle, arc box, or the text's box on the page
    Pen pen;
    QColor colour;  // fill and text colour
    QString text;
    FontSpec font;
    int align = 0;
    QString element;  // "kind index" of the innermost element, empty outside any
    QStringList path;  // every element open around the item, outermost first
};

class RecordingSurface : public CSurface {
  public:
    explicit RecordingSurface(Kind kind = Kind::Export, QRect visible = {});

    void drawLine(QPoint from, QPoint to, const Pen& pen) override;
    void drawPolyline(const QVector<QPoint>& points, const Pen& pen) override;
    void fillRect(const QRect& rect, const QColor& colour) override;
    void fillPolygon(const QVector<QPoint>& points, const QColor& colour) override;
    void drawArc(const QRect& box, QPoint start, QPoint end, const Pen& pen) override;
    void drawBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3, const Pen& pen) override;
    void drawText(QPoint at, const QString& text, const FontSpec& font, const QColor& colour,
                  int align) override;
    QRect visibleArea() const override;
    void beginElement(const QString& kind, int index) override;
    void endElement() override;

    const std::vector<DrawnItem>& items() const { return items_; }
    // Items of one type, optionally only those inside elements of one kind.
    std::vector<DrawnItem> itemsOf(DrawnItem::Type type, const QString& elementKind = {}) const;
    // Text items whose text is exactly `text`.
    std::vector<DrawnItem> texts(const QString& text) const;
    // One line of text per item, for golden files and failure messages.
    QStringList dump() const;
    void clear() { items_.clear(); }

  private:
    void add(DrawnItem item);
    std::vector<DrawnItem> items_;
    QStringList elements_;
    QRect visible_;
};

}  // namespace ks
