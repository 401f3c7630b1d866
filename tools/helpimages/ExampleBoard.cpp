#include "ExampleBoard.h"

#include <algorithm>
#include <random>

ExampleBoard::ExampleBoard(int cols, int rows)
    : cols_(cols), rows_(rows), cells_(std::size_t(cols * rows), kEmpty) {}

ExampleBoard ExampleBoard::fromRows(const QStringList& rows) {
    ExampleBoard board(int(rows.first().size()), int(rows.size()));
    for (int row = 0; row < board.rows_; ++row)
        for (int col = 0; col < board.cols_; ++col) {
            const QChar c = rows[row][col];
            board.cell(col, row) = c.isDigit() ? c.digitValue() : kEmpty;
        }
    return board;
}

ExampleBoard ExampleBoard::random(int cols, int rows, int types, unsigned seed) {
    ExampleBoard board(cols, rows);
    std::mt19937 generator(seed);
    for (int& type : board.cells_)
        type = int(generator() % unsigned(types));
    return board;
}

int ExampleBoard::at(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
        return kEmpty;
    return cells_[std::size_t(row * cols_ + col)];
}

int ExampleBoard::blocksLeft() const {
    return int(std::count_if(cells_.begin(), cells_.end(), [](int t) { return t != kEmpty; }));
}

QList<QPoint> ExampleBoard::groupAt(QPoint start) const {
    const int type = at(start.x(), start.y());
    if (type == kEmpty)
        return {};
    std::vector<bool> seen(cells_.size(), false);
    QList<QPoint> group{start};
    seen[std::size_t(start.y() * cols_ + start.x())] = true;
    for (qsizetype next = 0; next < group.size(); ++next) {
        for (const QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
            const QPoint n = group[next] + step;
            if (at(n.x(), n.y()) != type || seen[std::size_t(n.y() * cols_ + n.x())])
                continue;
            seen[std::size_t(n.y() * cols_ + n.x())] = true;
            group.append(n);
        }
    }
    return group;
}

QPoint ExampleBoard::largestGroup() const {
    QPoint best(0, 0);
    qsizetype bestSize = 0;
    for (int row = 0; row < rows_; ++row)
        for (int col = 0; col < cols_; ++col) {
            const qsizetype size = groupAt({col, row}).size();
            if (size > bestSize) {
                bestSize = size;
                best = {col, row};
            }
        }
    return best;
}

void ExampleBoard::remove(const QList<QPoint>& cells) {
    for (const QPoint p : cells)
        cell(p.x(), p.y()) = kEmpty;
}

// Each column keeps its blocks in order and lets them rest on the bottom row.
void ExampleBoard::dropBlocks() {
    for (int col = 0; col < cols_; ++col) {
        int target = rows_ - 1;
        for (int row = rows_ - 1; row >= 0; --row) {
            const int type = at(col, row);
            if (type == kEmpty)
                continue;
            cell(col, row) = kEmpty;
            cell(col, target--) = type;
        }
    }
}

bool ExampleBoard::columnEmpty(int col) const {
    for (int row = 0; row < rows_; ++row)
        if (at(col, row) != kEmpty)
            return false;
    return true;
}

// Non-empty columns move left, keeping their order; empty ones end up at the right.
void ExampleBoard::closeColumns() {
    int target = 0;
    for (int col = 0; col < cols_; ++col) {
        if (columnEmpty(col))
            continue;
        if (col != target)
            for (int row = 0; row < rows_; ++row) {
                cell(target, row) = at(col, row);
                cell(col, row) = kEmpty;
            }
        ++target;
    }
}
