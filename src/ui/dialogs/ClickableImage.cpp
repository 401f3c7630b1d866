#include "ui/dialogs/ClickableImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavro {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void ClickableImage::setCurrent(bool current) {
    current_ = current;
    update();
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
    // A click counts only when the button is released over the picture.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickableImage::enterEvent(QEnterEvent* event) {
    lit_ = true;
    update();
    QLabel::enterEvent(event);
}

void ClickableImage::leaveEvent(QEvent* event) {
    lit_ = false;
    update();
    QLabel::leaveEvent(event);
}

void ClickableImage::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!lit_ && !current_)
        return;
    QPainter painter(this);
    if (lit_)
        painter.fillRect(rect(), QColor(255, 255, 255, 50));
    // The current choice: a gold frame; under the pointer: a white one.
    painter.setPen(QPen(current_ ? QColor(255, 200, 40) : QColor(255, 255, 255), 3));
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace tavro
