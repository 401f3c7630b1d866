#pragma once

// Reading the game's screen: the pictures the program copies unchanged (cells
// of a block strip, digits, flags) recognised and found by their pixels, solid
// buttons found by their colour, and a model of the board.

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>

// Recognises the pictures of a strip file the program draws from by comparing
// a screen area with each cell of the strip.
struct Strip {
    Strip(const QString& file, QSize cellSize, int count) : size_(cellSize) {
        const QImage strip = QImage(file).convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < count && strip.width() >= cellSize.width() * count; ++i)
            cells_.append(strip.copy(QRect(QPoint(i * cellSize.width(), 0), cellSize)));
    }
    bool isValid() const { return !cells_.isEmpty(); }

    // The sum of the channel differences between cell `i` and the screen at `topLeft`.
    long long difference(const QImage& screen, QPoint topLeft, int i) const {
        long long sum = 0;
        for (int y = 0; y < size_.height(); ++y) {
            const auto* want = reinterpret_cast<const QRgb*>(cells_[i].constScanLine(y));
            const auto* seen =
                reinterpret_cast<const QRgb*>(screen.constScanLine(topLeft.y() + y)) + topLeft.x();
            for (int x = 0; x < size_.width(); ++x)
                sum += std::abs(qRed(want[x]) - qRed(seen[x])) +
                       std::abs(qGreen(want[x]) - qGreen(seen[x])) +
                       std::abs(qBlue(want[x]) - qBlue(seen[x]));
        }
        return sum;
    }
    // The cell shown at `topLeft`, or -1 when none is close enough (a mean
    // difference per colour channel above 6).
    int match(const QImage& screen, QPoint topLeft) const {
        if (!screen.rect().contains(QRect(topLeft, size_)))
            return -1;
        int best = -1;
        long long bestSum = 6LL * 3 * size_.width() * size_.height();
        for (int i = 0; i < cells_.size(); ++i)
            if (const long long sum = difference(screen, topLeft, i); sum <= bestSum)
                std::tie(best, bestSum) = std::pair(i, sum);
        return best;
    }
    // The top-left corners where cell `i` is shown inside `area`, in reading
    // order. Only places whose pixel agrees with the cell's brightest one are
    // compared; of overlapping matches the closest wins.
    QList<QPoint> find(const QImage& screen, int i, const QRect& area) const {
        const QImage& cell = cells_[i];
        QPoint probe;
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                if (qGray(cell.pixel(x, y)) > qGray(cell.pixel(probe)))
                    probe = QPoint(x, y);
        const QRgb want = cell.pixel(probe);
        const QRect inside = area.intersected(screen.rect());
        QList<std::pair<long long, QPoint>> hits;
        for (int y = inside.top(); y + size_.height() <= inside.bottom() + 1; ++y)
            for (int x = inside.left(); x + size_.width() <= inside.right() + 1; ++x) {
                const QRgb seen = screen.pixel(QPoint(x, y) + probe);
                if (std::abs(qRed(seen) - qRed(want)) + std::abs(qGreen(seen) - qGreen(want)) +
                            std::abs(qBlue(seen) - qBlue(want)) <=
                        24 &&
                    match(screen, {x, y}) == i)
                    hits.append({difference(screen, {x, y}, i), QPoint(x, y)});
            }
        std::ranges::sort(hits, {}, [](const auto& hit) { return hit.first; });
        QList<QPoint> found;
        for (const auto& [sum, p] : hits)
            if (std::ranges::none_of(
                    found, [&](QPoint q) { return QRect(q, size_).intersects(QRect(p, size_)); }))
                found.append(p);
        std::ranges::sort(found, {}, [](QPoint p) { return std::pair(p.y(), p.x()); });
        return found;
    }

    QSize size_;
    QList<QImage> cells_;
};

// The centres of a grid of solid buttons of `colour` in `area`, in reading
// order: the runs of at least 10 columns and of at least 10 rows that hold at
// least 2 pixels of the colour each (a glyph may fill the rest).
inline QList<QPoint> buttonGrid(const QImage& screen, const QRect& area, QRgb colour) {
    const QRect inside = area.intersected(screen.rect());
    QList<int> perColumn(inside.width()), perRow(inside.height());
    for (int y = 0; y < inside.height(); ++y)
        for (int x = 0; x < inside.width(); ++x)
            if (screen.pixel(inside.topLeft() + QPoint(x, y)) == colour)
                ++perColumn[x], ++perRow[y];
    const auto runCentres = [](const QList<int>& counts, int offset) {
        QList<int> centres;
        for (int i = 0, start = -1; i <= counts.size(); ++i)
            if (i < counts.size() && counts[i] >= 2)
                start = start < 0 ? i : start;
            else if (const int first = std::exchange(start, -1); first >= 0 && i - first >= 10)
                centres.append(offset + (first + i - 1) / 2);
        return centres;
    };
    QList<QPoint> centres;
    for (const int y : runCentres(perRow, inside.top()))
        for (const int x : runCentres(perColumn, inside.left()))
            centres.append({x, y});
    return centres;
}

// The board as the player sees it: block type per cell, -1 for an empty cell;
// predicts what a removal leaves (blocks fall, empty columns close).
struct BoardModel {
    int cols = 0, rows = 0;
    QList<int> cells; // row by row from the top

    int& at(QPoint c) { return cells[c.y() * cols + c.x()]; }
    int at(QPoint c) const { return cells[c.y() * cols + c.x()]; }
    int blocksLeft() const { return int(cells.size() - cells.count(-1)); }
    bool operator==(const BoardModel&) const = default;

    // The largest group of equal neighbours with at least `minimum` blocks,
    // the first of equal size in reading order; empty when no move is left.
    QList<QPoint> largestGroup(int minimum) const {
        QList<QPoint> best;
        for (int i = 0; i < cells.size(); ++i) {
            if (cells[i] < 0)
                continue;
            QList<QPoint> group{{i % cols, i / cols}};
            for (int next = 0; next < group.size(); ++next)
                for (const QPoint step :
                     {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = group[next] + step;
                    if (QRect(0, 0, cols, rows).contains(n) && at(n) == cells[i] &&
                        !group.contains(n))
                        group.append(n);
                }
            if (group.size() >= minimum && group.size() > best.size())
                best = group;
        }
        return best;
    }
    void removeAndCollapse(const QList<QPoint>& group) {
        for (const QPoint c : group)
            at(c) = -1;
        // Every column keeps the order of its blocks, packed downwards; an
        // empty column disappears and the ones right of it move left.
        BoardModel after{cols, rows, QList<int>(cells.size(), -1)};
        for (int col = 0, to = 0; col < cols; ++col) {
            int row = rows;
            for (int from = rows - 1; from >= 0; --from)
                if (at({col, from}) >= 0)
                    after.at({to, --row}) = at({col, from});
            to += row < rows ? 1 : 0;
        }
        *this = after;
    }
    // One line per row, a letter per block type and "." for an empty cell.
    QString toText() const {
        QString text;
        for (int i = 0; i < cells.size(); ++i)
            text += (cells[i] < 0 ? QChar('.') : QChar('A' + cells[i])) +
                    QString(i % cols == cols - 1 ? "\n" : "");
        return text;
    }
};
