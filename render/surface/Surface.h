// The drawing surface: the one interface the drawing code paints through. Back ends
// (QPainter on a widget, printer or image; a recording surface for tests) differ only
// inside their implementation, never in the drawing code.
#pragma once

#include <QPoint>
#include <QRect>
#include <QVector>

#include "render/surface/SurfaceTypes.h"

namespace ks {

class FontMetricsEngine;

class CSurface {
  public:
    enum class Kind {
        Screen,   // a view on the screen: margins, grid and editing marks are drawn
        Printer,  // printing and print preview
        Export,   // PDF and bitmap export
    };

    explicit CSurface(Kind kind);
    virtual ~CSurface();
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    Kind kind() const { return kind_; }
    bool isScreen() const { return kind_ == Kind::Screen; }

    // --- drawing, in page units (y downward) ---
    virtual void drawLine(QPoint from, QPoint to, const Pen& pen) = 0;
    virtual void drawPolyline(const QVector<QPoint>& points, const Pen& pen) = 0;
    virtual void fillRect(const QRect& rect, const QColor& colour) = 0;
    virtual void fillPolygon(const QVector<QPoint>& points, const QColor& colour) = 0;
    // The part of the ellipse inside `box` that runs counter-clockwise (as seen on the
    // page) from the ray through `start` to the ray through `end`.
    virtual void drawArc(const QRect& box, QPoint start, QPoint end, const Pen& pen) = 0;
    virtual void drawBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3, const Pen& pen) = 0;
    // Text (and music glyphs, which are text in the music font) at `at`, placed by `align`
    // (TextAlign flags); the background stays as it is.
    virtual void drawText(QPoint at, const QString& text, const FontSpec& font,
                          const QColor& colour, int align) = 0;

    // --- measuring: the same answers on every back end ---
    // (Virtual only so that a test can stand in for a device that measures fonts
    // differently; every real back end keeps the shared device-independent metrics.)
    virtual TextMetrics measure(const FontSpec& font, const QString& text) const;
    // The cell height (ascent + descent) of a font.
    virtual double cellHeight(const FontSpec& font) const;

    // --- what the drawing may skip ---
    // The page area that will be seen; drawing outside it may be left out. Printer and
    // export surfaces see the whole page.
    virtual QRect visibleArea() const { return QRect(-1000000, -1000000, 2000000, 2000000); }

    // --- element markers, for tests and hit testing ---
    // Drawing code brackets what it draws for one element of the score (a chord, an event,
    // a bar line) so a recording surface can tell which primitives belong to what.
    virtual void beginElement(const QString& kind, int index) {}
    virtual void endElement() {}

  private:
    Kind kind_;
};

}  // namespace ks
