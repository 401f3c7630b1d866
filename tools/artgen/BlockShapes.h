#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace tavro::art {

// Outline shapes used to tell block types apart by form as well as colour.
enum class Shape { Circle, Square, Triangle, Diamond, Star, Heart, Hexagon, Cross, Pentagon };

QPainterPath shapePath(Shape shape, const QRectF& box);

// A regular polygon with `corners` corners inside the box, the first corner
// at `startDegrees` (0 = right, 90 = up).
QPolygonF regularPolygon(int corners, const QRectF& box, double startDegrees = 90);

// A star with the given number of points and inner radius ratio.
QPolygonF starPolygon(int points, const QRectF& box, double innerRatio);

// A rectangle with its corners cut off (the emerald cut).
QPolygonF cutRectangle(const QRectF& box, double cut);

} // namespace tavro::art
