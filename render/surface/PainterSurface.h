// The QPainter back end of the drawing surface: screen widgets, printers and images.
#pragma once

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include "render/surface/Surface.h"

namespace ks {

class PainterSurface : public CSurface {
  public:
    // `painter` draws on the device; `pixelsPerUnit` device pixels per page unit; `origin`
    // is where page point (0, 0) lands on the device. `visible` (page units) bounds what
    // must be drawn; empty means the whole page.
    PainterSurface(Kind kind, QPainter& painter, double pixelsPerUnit, QPointF origin = {},
                   QRect visible = {});
    ~PainterSurface() override;

    // Printer and export surfaces hold back music glyphs drawn one after another in one
    // font and colour and send them to the device together (far less work for a PDF or
    // printer engine). They reach the device before any other primitive, at flush() and
    // when the surface ends; the painter must not be used directly in between.
    void flush();

    void drawLine(QPoint from, QPoint to, const Pen& pen) override;
    void drawPolyline(const QVector<QPoint>& points, const Pen& pen) override;
    void fillRect(const QRect& rect, const QColor& colour) override;
    void fillPolygon(const QVector<QPoint>& points, const QColor& colour) override;
    void drawArc(const QRect& box, QPoint start, QPoint end, const Pen& pen) override;
    void drawBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3, const Pen& pen) override;
    void drawText(QPoint at, const QString& text, const FontSpec& font, const QColor& colour,
                  int align) override;
    QRect visibleArea() const override;

  private:
    // Music glyphs drawn one after another in one font and colour, not yet on the device.
    struct PendingGlyphs {
        FontSpec font;
        QColor colour;
        QRawFont raw;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    void applyPen(const Pen& pen);
    // Draws the pending glyphs; every other primitive calls it first, so the order in
    // which things are drawn is kept.
    void flushGlyphs();
    QPainter& painter_;
    double scale_;
    QRect visible_;
    Pen currentPen_;
    bool penSet_ = false;
    PendingGlyphs pending_;
};

}  // namespace ks
