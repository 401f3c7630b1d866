#include "ui/dialogs/ClickableImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavro {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void ClickableImage::setCurrent(bool current) {
    picker_ = true;
    current_ = current;
    update();
}

ClickableImage::ClickableImage(const QPixmap& picture, QSize size, QWidget* parent)
    : ClickableImage(parent) {
    setFixedSize(size);
    setScaledContents(true);
    if (picture.isNull()) {
        QPalette grey = palette();
        grey.setColor(QPalette::Window, Qt::darkGray);
        setPalette(grey);
        setAutoFillBackground(true);
    } else {
        setPixmap(picture);
    }
}

void ClickableImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    pressed_ = true;
    emit pressedChanged(true);
    event->accept();
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
    // The release goes to the picture that got the press, wherever it happens.
    if (event->button() != Qt::LeftButton || !pressed_)
        return QLabel::mouseReleaseEvent(event);
    pressed_ = false;
    emit pressedChanged(false);
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
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
    if (!picker_ || (!lit_ && !current_))
        return; // flags and links keep their plain look
    QPainter painter(this);
    if (lit_)
        painter.fillRect(rect(), QColor(255, 255, 255, 50));
    // The current choice: a gold frame; under the pointer: a white one.
    painter.setPen(QPen(current_ ? QColor(255, 200, 40) : QColor(255, 255, 255), 3));
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace tavro
