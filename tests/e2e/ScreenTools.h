#pragma once

// Reading the game's screen: recognition of the pictures the program copies
// unchanged, controls found by colour, the main window's geometry and a model
// of the board.

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <vector>

// Halves go to the even neighbour, as in the window's own layout.
inline int roundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// Recognises pictures the program copies to the screen unchanged (the cells
// of a block strip, the digits) by comparing a screen area with each cell of
// the strip file the program draws from.
struct Strip {
    Strip(const QString& file, QSize cellSize, int count) : size_(cellSize) {
        const QImage strip = QImage(file).convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < count && strip.width() >= cellSize.width() * count; ++i)
            cells_.append(strip.copy(QRect(QPoint(i * cellSize.width(), 0), cellSize)));
    }
    bool isValid() const { return !cells_.isEmpty(); }

    // The cell shown at `topLeft`, or -1 when none is close enough (a mean
    // difference per colour channel above 6).
    int match(const QImage& screen, QPoint topLeft) const {
        if (!screen.rect().contains(QRect(topLeft, size_)))
            return -1;
        int best = -1;
        long long bestSum = 6LL * 3 * size_.width() * size_.height();
        for (int i = 0; i < cells_.size(); ++i) {
            long long sum = 0;
            for (int y = 0; y < size_.height(); ++y) {
                const auto* want = reinterpret_cast<const QRgb*>(cells_[i].constScanLine(y));
                const auto* seen =
                    reinterpret_cast<const QRgb*>(screen.constScanLine(topLeft.y() + y)) +
                    topLeft.x();
                for (int x = 0; x < size_.width(); ++x)
                    sum += std::abs(qRed(want[x]) - qRed(seen[x])) +
                           std::abs(qGreen(want[x]) - qGreen(seen[x])) +
                           std::abs(qBlue(want[x]) - qBlue(seen[x]));
            }
            if (sum <= bestSum)
                std::tie(best, bestSum) = std::pair(i, sum);
        }
        return best;
    }

    QSize size_;
    QList<QImage> cells_;
};

// Finds a dialog's controls by their colour: the bounding boxes of the areas
// (eight neighbours connect) whose pixels are `colour` or a darker shade of it,
// as anti-aliased edges draw it: each channel within `tolerance` of the colour
// scaled to the pixel's brightness, which is at least a third of the colour's.
inline QList<QRect> colourRegions(const QImage& image, const QRect& area, const QColor& colour,
                                  int tolerance) {
    const int strongest = std::max({colour.red(), colour.green(), colour.blue()});
    const auto near = [&](QPoint p) {
        const QRgb pixel = image.pixel(p);
        const int seen = colour.blue() == strongest    ? qBlue(pixel)
                         : colour.green() == strongest ? qGreen(pixel)
                                                       : qRed(pixel);
        const double shade = double(seen) / strongest;
        return shade >= 1.0 / 3.0 && shade <= 1.1 &&
               std::abs(qRed(pixel) - colour.red() * shade) <= tolerance &&
               std::abs(qGreen(pixel) - colour.green() * shade) <= tolerance &&
               std::abs(qBlue(pixel) - colour.blue() * shade) <= tolerance;
    };
    const QRect bounds = area.intersected(image.rect());
    std::vector<bool> seen(size_t(bounds.width()) * size_t(bounds.height()));
    // Marks and reports a pixel of the colour not seen before.
    const auto visit = [&](QPoint p) {
        const size_t slot = size_t(p.y() - bounds.top()) * bounds.width() + (p.x() - bounds.left());
        if (!bounds.contains(p) || seen[slot] || !near(p))
            return false;
        seen[slot] = true;
        return true;
    };
    QList<QRect> regions;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            if (!visit({x, y}))
                continue;
            QRect box(x, y, 1, 1);
            for (QList<QPoint> open{{x, y}}; !open.isEmpty();) {
                const QPoint p = open.takeLast();
                box |= QRect(p, p);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (visit(p + QPoint(dx, dy)))
                            open.append(p + QPoint(dx, dy));
            }
            regions.append(box);
        }
    return regions;
}

// Where the main window's parts lie on the screen, after the window's layout
// rules: a header 1.4 times the toolbar frame (105 pixels) high, the digit
// frame centred left of the logo (414 wide), the toolbar frame centred right
// of it (both frames 161 wide), the board and its 2-pixel frame centred below
// the header.
struct MainWindowLayout {
    QRect window;
    int cols = 0, rows = 0;

    QRect boardFrame() const {
        const QSize outer(cols * 50 + 4, rows * 50 + 4);
        const int header = roundEven(105 * 1.4);
        return QRect(
            window.topLeft() +
                QPoint(roundEven((window.width() - outer.width()) / 2.0),
                       roundEven((window.height() - header - outer.height()) / 2.0) + header),
            outer);
    }
    QPoint cellTopLeft(QPoint cell) const {
        return boardFrame().topLeft() + QPoint(2, 2) + cell * 50;
    }
    QPoint cellCentre(QPoint cell) const { return cellTopLeft(cell) + QPoint(25, 25); }
    QPoint toolbarFrame() const {
        const int logoRight = (window.width() - 414) / 2 + 414;
        return window.topLeft() +
               QPoint(logoRight + (window.width() - logoRight - 161) / 2, roundEven(105 * 0.2));
    }
    // Toolbar button `index` (0 new game, 1 quit, 3 options, 5 high scores ...).
    QRect button(int index) const {
        static constexpr QPoint positions[8] = {{16, 8},  {48, 8},   {112, 8}, {80, 8},
                                                {80, 40}, {112, 40}, {48, 40}, {16, 40}};
        return QRect(toolbarFrame() + positions[index], QSize(25, 24));
    }
    QRect englishFlag() const { return QRect(toolbarFrame() + QPoint(32, 80), QSize(32, 20)); }
    // The first digit of the score and of the blocks-left display.
    QPoint displayFrame() const {
        return window.topLeft() +
               QPoint(((window.width() - 414) / 2 - 161) / 2, roundEven(105 * 0.2));
    }
    QPoint scoreDigits() const { return displayFrame() + QPoint(64, 16); }
    QPoint leftDigits() const { return displayFrame() + QPoint(64, 56); }
};

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
