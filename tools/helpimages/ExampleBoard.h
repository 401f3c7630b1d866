#pragma once

#include <QList>
#include <QPoint>
#include <QStringList>
#include <vector>

// A small board of block types with the game's rules, used to stage the
// example moves shown in the help: groups of equal blocks touching by edges,
// falling blocks and empty columns closing towards the left.
class ExampleBoard {
public:
    static constexpr int kEmpty = -1;

    // Rows from the top, one character per cell: '0'..'5' a block type, '.' empty.
    static ExampleBoard fromRows(const QStringList& rows);
    // A full board with types drawn from a fixed seed, the same on every run.
    static ExampleBoard random(int cols, int rows, int types, unsigned seed);

    int cols() const { return cols_; }
    int rows() const { return rows_; }
    int at(int col, int row) const;
    int blocksLeft() const;

    // The cells connected to (col, row) through equal neighbours, the cell
    // itself included; empty for an empty cell.
    QList<QPoint> groupAt(QPoint cell) const;
    // The first cell (row by row from the top) of the largest group.
    QPoint largestGroup() const;

    void remove(const QList<QPoint>& cells);
    void dropBlocks();
    void closeColumns();

private:
    ExampleBoard(int cols, int rows);
    int& cell(int col, int row) { return cells_[std::size_t(row * cols_ + col)]; }
    bool columnEmpty(int col) const;

    int cols_;
    int rows_;
    std::vector<int> cells_;
};
