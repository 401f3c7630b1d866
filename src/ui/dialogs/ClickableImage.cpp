#include "ui/dialogs/ClickableImage.h"

#include <QMouseEvent>

namespace tavro {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
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

} // namespace tavro
