#include "ui/main/KeyboardCursor.h"

#include "ui/main/BoardSurface.h"

#include <QPainter>
#include <algorithm>

namespace tavro {

KeyboardCursor::KeyboardCursor(QWidget* boardSurface, int cellSize)
    : QWidget(boardSurface), cellSize_(cellSize) {
    setObjectName(QStringLiteral("keyboardCursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

QPoint KeyboardCursor::moved(QPoint from, int key, QSize cells) {
    QPoint to = from;
    switch (key) {
    case Qt::Key_Left:
        to.rx() -= 1;
        break;
    case Qt::Key_Right:
        to.rx() += 1;
        break;
    case Qt::Key_Up:
        to.ry() -= 1;
        break;
    case Qt::Key_Down:
        to.ry() += 1;
        break;
    case Qt::Key_Home:
        to.rx() = 0;
        break;
    case Qt::Key_End:
        to.rx() = cells.width() - 1;
        break;
    default:
        break;
    }
    return {std::clamp(to.x(), 0, std::max(cells.width() - 1, 0)),
            std::clamp(to.y(), 0, std::max(cells.height() - 1, 0))};
}

bool KeyboardCursor::handleKey(int key, QSize cells) {
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (!arrow && key != Qt::Key_Home && key != Qt::Key_End)
        return false;
    if (cell_.y() < 0)
        cell_ = QPoint(0, cells.height() - 1);
    // The first arrow only shows the cursor where it is; Home and End jump.
    cell_ = moved(cell_, shown_ || !arrow ? key : 0, cells);
    shown_ = true;
    place();
    return true;
}

void KeyboardCursor::fitTo(QSize cells) {
    if (cell_.y() >= 0)
        cell_ = moved(cell_, 0, cells);
    if (shown_)
        place();
}

void KeyboardCursor::hideCursor() {
    shown_ = false;
    hide();
}

QPointF KeyboardCursor::cellCentre() const {
    return QPointF((cell_.x() + 0.5) * cellSize_, (cell_.y() + 0.5) * cellSize_);
}

void KeyboardCursor::place() {
    const int border = BoardSurface::kBorder;
    setGeometry(QRect(cell_ * cellSize_ + QPoint(border, border), QSize(cellSize_, cellSize_)));
    show();
    raise();
    update();
}

void KeyboardCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF frame = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(QColor(0, 0, 0, 170), 4));
    painter.drawRect(frame);
    painter.setPen(QPen(QColor(255, 230, 90), 2, Qt::DashLine));
    painter.drawRect(frame);
}

} // namespace tavro
