#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// The board as the player sees it: block type per cell, -1 for an empty cell;
// column 0 is the left, row 0 the top. Predicts what a removal leaves behind
// (blocks fall into the holes, empty columns close to the left) so the test
// can compare the program's picture with the rules.
class BoardModel {
public:
    static constexpr int kEmpty = -1;

    BoardModel() = default;
    BoardModel(int cols, int rows);

    int cols() const { return cols_; }
    int rows() const { return rows_; }
    int at(QPoint cell) const { return cells_.at(index(cell)); }
    void set(QPoint cell, int type) { cells_[index(cell)] = type; }

    int blocksLeft() const;
    // The cells joined to `cell` by horizontal or vertical neighbours of the
    // same type, `cell` included; empty for an empty cell.
    QList<QPoint> groupAt(QPoint cell) const;
    // The largest group with at least `minimum` blocks (the first of equal
    // size in reading order); empty when no move is left.
    QList<QPoint> largestGroup(int minimum) const;
    void removeAndCollapse(const QList<QPoint>& group);

    // One line per row, a letter per block type and "." for empty cells.
    QString toText() const;

    bool operator==(const BoardModel&) const = default;

private:
    int index(QPoint cell) const { return cell.y() * cols_ + cell.x(); }
    bool contains(QPoint cell) const {
        return cell.x() >= 0 && cell.y() >= 0 && cell.x() < cols_ && cell.y() < rows_;
    }

    int cols_ = 0;
    int rows_ = 0;
    QList<int> cells_;
};
