#include "ui/main/FlagImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavro {

FlagImage::FlagImage(int languageId, const QPixmap& picture, QWidget* parent)
    : QWidget(parent), languageId_(languageId), picture_(picture) {
    setFixedSize(32, 20);
    setCursor(Qt::PointingHandCursor);
}

void FlagImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::darkGray);
    else
        painter.drawPixmap(rect(), picture_);
}

void FlagImage::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release on the flag, as with a button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(languageId_);
}

} // namespace tavro
