#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

namespace tavro {

// The cell cursor of keyboard play: a frame around one board cell, drawn on a
// see-through layer over the board surface (the surface's cells stay as they
// are). It appears with the first arrow key and hides when the mouse is used.
class KeyboardCursor : public QWidget {
    Q_OBJECT

public:
    KeyboardCursor(QWidget* boardSurface, int cellSize);

    // Arrow keys move one cell, Home and End go to the row's first and last
    // column; a hidden cursor first appears where it was. Returns false for
    // other keys.
    bool handleKey(int key, QSize cells);
    // The board changed size: the cursor stays inside it.
    void fitTo(QSize cells);
    void hideCursor();
    bool isShown() const { return shown_; }
    QPoint cell() const { return cell_; }
    // Centre of the cursor's cell in the board's inner area.
    QPointF cellCentre() const;

    // The cell that `key` leads to from `from` on a board of `cells`.
    static QPoint moved(QPoint from, int key, QSize cells);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    int cellSize_;
    QPoint cell_{0, -1}; // bottom row until first placed
    bool shown_ = false;
};

} // namespace tavro
