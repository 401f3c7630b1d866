#include "ui/main/BoardSurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavro {

BoardSurface::BoardSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void BoardSurface::setInnerSize(const QSize& inner, const QColor& fill) {
    image_ = QImage(); // free the old surface before the new one is made
    image_ = QImage(inner, QImage::Format_RGB32);
    image_.fill(fill);
    setFixedSize(inner + QSize(2 * kBorder, 2 * kBorder));
}

void BoardSurface::blit(const QImage& source, const QRect& sourceRect, const QPoint& target) {
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(target, source, sourceRect);
}

void BoardSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect outer = rect();
    // Sunken 3D frame: dark top-left, light bottom-right, two lines each.
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    const QRect inner1 = outer.adjusted(1, 1, -1, -1);
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(inner1.topLeft(), inner1.topRight());
    painter.drawLine(inner1.topLeft(), inner1.bottomLeft());
    painter.setPen(QColor(212, 208, 200));
    painter.drawLine(inner1.bottomLeft(), inner1.bottomRight());
    painter.drawLine(inner1.topRight(), inner1.bottomRight());
    painter.drawImage(QPoint(kBorder, kBorder), image_);
}

void BoardSurface::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position() - QPointF(kBorder, kBorder));
}

} // namespace tavro
