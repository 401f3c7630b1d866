#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPoint>
#include <QWidget>
#include <vector>

namespace tavro {

// An outline around a set of board cells, drawn over the board surface on a
// see-through layer of its own: the surface's cells stay exact copies of the
// block strip, and clearing the outline brings the board back unchanged. The
// layer covers the board's inner area and lets the mouse through.
//
//   auto* outline = new GroupOutline(picBoard, 50);  // child of the surface
//   outline->showCells({{0, 6}, {1, 6}});              // columns and rows
//   outline->clear();
class GroupOutline : public QWidget {
    Q_OBJECT

public:
    GroupOutline(QWidget* boardSurface, int cellSize);

    // Outlines these cells (col, row); an empty set hides the layer.
    void showCells(std::vector<QPoint> cells);
    void clear();
    const std::vector<QPoint>& cells() const { return cells_; }

    // Outer line and inner shadow; a hint may use other colours than the preview.
    void setColors(QColor line, QColor shadow);

    // The outer edge of the cells as one closed path (or several, for cells
    // that do not touch), in pixels of the board's inner area.
    static QPainterPath outlinePath(const std::vector<QPoint>& cells, int cellSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void followBoard();

    int cellSize_;
    std::vector<QPoint> cells_;
    QPainterPath path_;
    QColor line_{255, 255, 255};
    QColor shadow_{0, 0, 0, 150};
};

} // namespace tavro
