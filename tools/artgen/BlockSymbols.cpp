#include "BlockSymbols.h"

#include "BlockShapes.h"
#include "ImageFx.h"

#include <QPainter>
#include <array>

namespace tavro::art {

void drawTypeSymbol(QPainter& p, int type, double side) {
    static const std::array<Shape, 7> shapes = {Shape::Circle, Shape::Square,  Shape::Triangle,
                                                Shape::Star,   Shape::Diamond, Shape::Heart,
                                                Shape::Cross};
    const double size = side * 0.4;
    const QRectF box((side - size) / 2, (side - size) / 2, size, size);
    const QPainterPath symbol = shapePath(shapes[type % 7], box);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QSize canvas{int(side), int(side)};
    p.drawImage(0, 0,
                softShadow(symbol.translated(0, side * 0.015), canvas, QColor(0, 0, 0, 200),
                           int(side * 0.03)));
    p.setPen(QPen(QColor(10, 12, 20), side * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(symbol);
    p.restore();
}

} // namespace tavro::art
