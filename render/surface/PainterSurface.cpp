#include "PainterSurface.h"

#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "render/surface/FontMetricsEngine.h"

namespace ks {

PainterSurface::PainterSurface(Kind kind, QPainter& painter, double pixelsPerUnit, QPointF origin,
                               QRect visible)
    : CSurface(kind),
      painter_(painter),
      scale_(pixelsPerUnit > 0 ? pixelsPerUnit : 1.0),
      visible_(visible) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.translate(origin);
    painter_.scale(scale_, scale_);
    painter_.setBrush(Qt::NoBrush);
}

PainterSurface::~PainterSurface() {
    painter_.restore();
}

QRect PainterSurface::visibleArea() const {
    return visible_.isEmpty() ? CSurface::visibleArea() : visible_;
}

void PainterSurface::applyPen(const Pen& pen) {
    if (penSet_ && pen == currentPen_) return;
    QPen q(pen.colour);
    const double deviceWidth = pen.width * scale_;
    if (deviceWidth < 1.0) {
        q.setCosmetic(true);  // never thinner than one device pixel
        q.setWidthF(1.0);
    } else {
        q.setWidthF(pen.width);
    }
    q.setCapStyle(pen.squareCap ? Qt::SquareCap : Qt::RoundCap);
    q.setJoinStyle(Qt::MiterJoin);
    switch (pen.style) {
        case PenStyle::Solid:
            q.setStyle(Qt::SolidLine);
            break;
        case PenStyle::Dotted:
            q.setStyle(Qt::DotLine);
            break;
        case PenStyle::Dashed: {
            // 50 units on, 50 off; Qt measures dashes in pen widths.
            const double unit = q.isCosmetic() ? 1.0 / scale_ : std::max(1, pen.width);
            q.setDashPattern({50.0 / unit, 50.0 / unit});
            q.setCapStyle(Qt::FlatCap);
            break;
        }
    }
    painter_.setPen(q);
    currentPen_ = pen;
    penSet_ = true;
}

void PainterSurface::drawLine(QPoint from, QPoint to, const Pen& pen) {
    applyPen(pen);
    painter_.drawLine(from, to);
}

void PainterSurface::drawPolyline(const QVector<QPoint>& points, const Pen& pen) {
    applyPen(pen);
    painter_.drawPolyline(points.constData(), static_cast<int>(points.size()));
}

void PainterSurface::fillRect(const QRect& rect, const QColor& colour) {
    painter_.fillRect(QRectF(rect), colour);
}

void PainterSurface::fillPolygon(const QVector<QPoint>& points, const QColor& colour) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QPolygon(points)));
    painter_.fillPath(path, colour);
}

void PainterSurface::drawArc(const QRect& box, QPoint start, QPoint end, const Pen& pen) {
    applyPen(pen);
    const QPointF c = QRectF(box).center();
    // Angles as seen on the page: counter-clockwise, y downward.
    const auto angle = [&](QPoint p) {
        return std::atan2(-(p.y() - c.y()), p.x() - c.x()) * 180.0 / std::numbers::pi;
    };
    const double a0 = angle(start);
    double span = angle(end) - a0;
    while (span <= 0)
        span += 360.0;
    QPainterPath path;
    path.arcMoveTo(QRectF(box), a0);
    path.arcTo(QRectF(box), a0, span);
    painter_.drawPath(path);
}

void PainterSurface::drawBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3, const Pen& pen) {
    applyPen(pen);
    QPainterPath path(p0);
    path.cubicTo(c1, c2, p3);
    painter_.drawPath(path);
}

void PainterSurface::drawText(QPoint at, const QString& text, const FontSpec& font,
                              const QColor& colour, int align) {
    if (text.isEmpty()) return;
    // Left-aligned text needs no width.
    const bool left = (align & TextAlign::HorizontalMask) == TextAlign::Left;
    const TextMetrics m = measure(font, left ? QString() : text);
    double x = at.x();
    switch (align & TextAlign::HorizontalMask) {
        case TextAlign::Right:
            x -= m.width;
            break;
        case TextAlign::Centre:
            x -= m.width / 2;
            break;
        default:
            break;
    }
    double baseline = at.y();
    switch (align & TextAlign::VerticalMask) {
        case TextAlign::Bottom:
            baseline -= m.descent;
            break;
        case TextAlign::Baseline:
            break;
        default:
            baseline += m.ascent;
            break;
    }
    const FontMetricsEngine::Drawing d = FontMetricsEngine::instance().drawing(font);
    painter_.save();
    painter_.translate(x, baseline);
    painter_.scale(d.scaleX, d.scaleY);
    painter_.setFont(d.font);
    painter_.setPen(colour);
    painter_.drawText(QPointF(0, 0), text);
    painter_.restore();
    penSet_ = false;
}

}  // namespace ks
