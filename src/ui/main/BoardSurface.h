#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace tavro {

// picBoard: the board surface, a grid of square cells. Each cell shows either
// a block from the block strip or a cell of the empty board. The surface keeps
// what each cell shows, not its pixels: a board may fill an 8K screen, and a
// pixel copy of it would cost a whole frame of memory. Changes become visible
// with refresh(), which repaints only the cells that changed. A single fixed
// (sunken) border of 2 px surrounds the inner area, so the widget is the inner
// size plus 4 in each direction.
class BoardSurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int kBorder = 2;

    // Paints the empty board into `area` (inner coordinates) of the painter.
    using EmptyPainter = std::function<void(QPainter& painter, const QRect& area)>;

    explicit BoardSurface(QWidget* parent = nullptr);

    // A new grid of cells x cellSize pixels, every cell showing the empty board
    // at its own place. The widget takes the inner size plus the border.
    void reset(QSize cells, int cellSize, const QImage& strip, EmptyPainter emptyBoard);
    QSize innerSize() const { return cells_ * cellSize_; }
    // Another picture of the same types (say, with symbols): every cell repaints.
    void setStrip(const QImage& strip);

    // Cell (col, row) shows the square `type` of the block strip.
    void showBlock(QPoint cell, int type);
    // Cell (col, row) shows the empty board's cell `source`.
    void showEmpty(QPoint cell, QPoint source);
    // Repaints the cells changed since the last refresh.
    void refresh();

    // The inner area as the player sees it once refreshed, and the empty board.
    QImage image() const;
    QImage emptyBoardImage() const;

signals:
    // A mouse button was released; the position is relative to the inner area
    // (negative or beyond the size when the pointer has left the board).
    void released(QPointF innerPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Cell {
        int16_t block = -1; // strip square, or -1 for the empty board
        int16_t sourceCol = 0;
        int16_t sourceRow = 0;
        bool dirty = false;
    };

    Cell* cellAt(QPoint cell);
    void markDirty(QPoint cell);
    void paintFrame(QPainter& painter) const;
    void paintCells(QPainter& painter, const QRect& area) const;
    QRect cellRect(int col, int row) const;

    QSize cells_{0, 0};
    int cellSize_ = 1;
    QImage strip_;
    EmptyPainter emptyBoard_;
    std::vector<Cell> grid_;
    std::vector<QPoint> dirty_;
};

} // namespace tavro
