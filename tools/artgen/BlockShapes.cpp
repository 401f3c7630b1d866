#include "BlockShapes.h"

#include <cmath>
#include <numbers>

namespace tavro::art {

QPolygonF regularPolygon(int corners, const QRectF& box, double startDegrees) {
    QPolygonF polygon;
    const QPointF c = box.center();
    for (int i = 0; i < corners; ++i) {
        const double a = (startDegrees + 360.0 * i / corners) * std::numbers::pi / 180;
        polygon << QPointF(c.x() + std::cos(a) * box.width() / 2,
                           c.y() - std::sin(a) * box.height() / 2);
    }
    return polygon;
}

QPolygonF starPolygon(int points, const QRectF& box, double innerRatio) {
    QPolygonF polygon;
    const QPointF c = box.center();
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? 1.0 : innerRatio;
        const double a = (90 + 180.0 * i / points) * std::numbers::pi / 180;
        polygon << QPointF(c.x() + std::cos(a) * box.width() / 2 * r,
                           c.y() - std::sin(a) * box.height() / 2 * r);
    }
    return polygon;
}

QPolygonF cutRectangle(const QRectF& box, double cut) {
    return QPolygonF(
        {QPointF(box.left() + cut, box.top()), QPointF(box.right() - cut, box.top()),
         QPointF(box.right(), box.top() + cut), QPointF(box.right(), box.bottom() - cut),
         QPointF(box.right() - cut, box.bottom()), QPointF(box.left() + cut, box.bottom()),
         QPointF(box.left(), box.bottom() - cut), QPointF(box.left(), box.top() + cut)});
}

namespace {

QPainterPath heart(const QRectF& b) {
    QPainterPath path;
    const double w = b.width(), h = b.height();
    path.moveTo(b.left() + w * 0.5, b.top() + h * 0.98);
    path.cubicTo(b.left() + w * 0.18, b.top() + h * 0.74, b.left() - w * 0.02, b.top() + h * 0.52,
                 b.left() + w * 0.02, b.top() + h * 0.30);
    path.cubicTo(b.left() + w * 0.06, b.top() + h * 0.06, b.left() + w * 0.40, b.top() - h * 0.02,
                 b.left() + w * 0.5, b.top() + h * 0.22);
    path.cubicTo(b.left() + w * 0.60, b.top() - h * 0.02, b.left() + w * 0.94, b.top() + h * 0.06,
                 b.left() + w * 0.98, b.top() + h * 0.30);
    path.cubicTo(b.left() + w * 1.02, b.top() + h * 0.52, b.left() + w * 0.82, b.top() + h * 0.74,
                 b.left() + w * 0.5, b.top() + h * 0.98);
    path.closeSubpath();
    return path;
}

QPainterPath cross(const QRectF& b) {
    const double t = b.width() * 0.34;
    QPainterPath horizontal, vertical;
    horizontal.addRoundedRect(QRectF(b.left(), b.center().y() - t / 2, b.width(), t), t * 0.22,
                              t * 0.22);
    vertical.addRoundedRect(QRectF(b.center().x() - t / 2, b.top(), t, b.height()), t * 0.22,
                            t * 0.22);
    return horizontal.united(vertical);
}

} // namespace

QPainterPath shapePath(Shape shape, const QRectF& box) {
    QPainterPath path;
    switch (shape) {
    case Shape::Circle:
        path.addEllipse(box);
        break;
    case Shape::Square:
        path.addRoundedRect(box.adjusted(box.width() * 0.06, box.height() * 0.06,
                                         -box.width() * 0.06, -box.height() * 0.06),
                            box.width() * 0.12, box.height() * 0.12);
        break;
    case Shape::Triangle: {
        QPolygonF tri = regularPolygon(3, box.translated(0, box.height() * 0.08));
        path.addPolygon(tri);
        path.closeSubpath();
        break;
    }
    case Shape::Diamond:
        path.addPolygon(
            regularPolygon(4, box.adjusted(box.width() * 0.04, 0, -box.width() * 0.04, 0)));
        path.closeSubpath();
        break;
    case Shape::Star:
        path.addPolygon(starPolygon(5, box.translated(0, box.height() * 0.04), 0.45));
        path.closeSubpath();
        break;
    case Shape::Heart:
        path = heart(box);
        break;
    case Shape::Hexagon:
        path.addPolygon(regularPolygon(6, box, 0));
        path.closeSubpath();
        break;
    case Shape::Cross:
        path = cross(box);
        break;
    case Shape::Pentagon:
        path.addPolygon(regularPolygon(5, box.translated(0, box.height() * 0.05)));
        path.closeSubpath();
        break;
    }
    return path;
}

} // namespace tavro::art
