#include "BoardModel.h"

#include <algorithm>

BoardModel::BoardModel(int cols, int rows)
    : cols_(cols), rows_(rows), cells_(cols * rows, kEmpty) {}

int BoardModel::blocksLeft() const {
    return int(std::count_if(cells_.begin(), cells_.end(), [](int t) { return t != kEmpty; }));
}

QList<QPoint> BoardModel::groupAt(QPoint cell) const {
    QList<QPoint> group;
    if (!contains(cell) || at(cell) == kEmpty)
        return group;
    const int type = at(cell);
    QList<bool> seen(cells_.size(), false);
    QList<QPoint> open{cell};
    seen[index(cell)] = true;
    while (!open.isEmpty()) {
        const QPoint current = open.takeLast();
        group.append(current);
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint next = current + step;
            if (contains(next) && !seen[index(next)] && at(next) == type) {
                seen[index(next)] = true;
                open.append(next);
            }
        }
    }
    return group;
}

QList<QPoint> BoardModel::largestGroup(int minimum) const {
    QList<QPoint> best;
    for (int row = 0; row < rows_; ++row)
        for (int col = 0; col < cols_; ++col) {
            const QList<QPoint> group = groupAt({col, row});
            if (group.size() >= minimum && group.size() > best.size())
                best = group;
        }
    return best;
}

void BoardModel::removeAndCollapse(const QList<QPoint>& group) {
    for (const QPoint cell : group)
        set(cell, kEmpty);
    // Falling: every column keeps the order of its blocks, packed downwards.
    QList<QList<int>> columns;
    for (int col = 0; col < cols_; ++col) {
        QList<int> column;
        for (int row = rows_ - 1; row >= 0; --row)
            if (at({col, row}) != kEmpty)
                column.append(at({col, row}));
        // Closing: an empty column disappears and the ones right of it move left.
        if (!column.isEmpty())
            columns.append(column);
    }
    cells_.fill(kEmpty);
    for (int col = 0; col < columns.size(); ++col)
        for (int i = 0; i < columns[col].size(); ++i)
            set({col, rows_ - 1 - i}, columns[col][i]);
}

QString BoardModel::toText() const {
    QString text;
    for (int row = 0; row < rows_; ++row) {
        for (int col = 0; col < cols_; ++col) {
            const int type = at({col, row});
            text += type == kEmpty ? QChar(u'.') : QChar(u'A' + type);
        }
        text += u'\n';
    }
    return text;
}
