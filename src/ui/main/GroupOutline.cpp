#include "ui/main/GroupOutline.h"

#include "ui/main/BoardSurface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace tavro {

GroupOutline::GroupOutline(QWidget* boardSurface, int cellSize)
    : QWidget(boardSurface), cellSize_(cellSize) {
    setObjectName(QStringLiteral("groupOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void GroupOutline::setColors(QColor line, QColor shadow) {
    line_ = line;
    shadow_ = shadow;
    update();
}

QPainterPath GroupOutline::outlinePath(const std::vector<QPoint>& cells, int cellSize) {
    QRegion region;
    for (const QPoint& cell : cells)
        region += QRect(cell * cellSize, QSize(cellSize, cellSize));
    QPainterPath path;
    path.addRegion(region);
    return path.simplified();
}

void GroupOutline::showCells(std::vector<QPoint> cells) {
    if (cells.empty()) {
        clear();
        return;
    }
    cells_ = std::move(cells);
    path_ = outlinePath(cells_, cellSize_);
    followBoard();
    show();
    raise();
    update();
}

void GroupOutline::clear() {
    cells_.clear();
    path_ = QPainterPath();
    hide();
}

// The board surface is resized with every new board; the layer covers its
// inner area.
void GroupOutline::followBoard() {
    const QWidget* board = parentWidget();
    const int border = BoardSurface::kBorder;
    setGeometry(border, border, board->width() - 2 * border, board->height() - 2 * border);
}

void GroupOutline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Only the half of each stroke inside the group is drawn: the cells
    // around the group stay untouched.
    painter.setClipPath(path_);
    painter.strokePath(path_, QPen(shadow_, 12));
    painter.strokePath(path_, QPen(line_, 6));
}

} // namespace tavro
