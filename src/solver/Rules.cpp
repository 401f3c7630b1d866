#include "solver/Rules.h"

#include <algorithm>
#include <cstring>

namespace tavro::solver {

namespace {
constexpr uint8_t Removed = 0xFF;
}

Rules::Rules(const Shape& shape)
    : shape_(shape), seen_(static_cast<size_t>(shape.cells()), 0),
      stack_(static_cast<size_t>(shape.cells())), column_(static_cast<size_t>(shape.rows)) {}

int Rules::width(const uint8_t* cells) const {
    int w = 0;
    while (w < shape_.cols && cells[w * shape_.rows] != 0)
        ++w;
    return w;
}

int Rules::findGroups(const uint8_t* cells, std::vector<Group>& groups) {
    groups.clear();
    if (++stamp_ == 0) { // the stamps wrapped: start them afresh
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
    const int rows = shape_.rows;
    const int end = width(cells) * rows; // cells past the last column are empty
    for (int col = 0, start = 0; start < end; ++col, start += rows)
        for (int i = start; i < start + rows && cells[i] != 0; ++i) {
            if (seen_[i] == stamp_)
                continue;
            const uint8_t type = cells[i];
            int top = 0, size = 0;
            stack_[top++] = i;
            seen_[i] = stamp_;
            while (top > 0) {
                const int j = stack_[--top];
                ++size;
                const int h = j - (j / rows) * rows;
                const int next[4] = {j - rows, j + rows, h > 0 ? j - 1 : -1,
                                     h + 1 < rows ? j + 1 : -1};
                for (int n : next)
                    if (n >= 0 && n < end && cells[n] == type && seen_[n] != stamp_) {
                        seen_[n] = stamp_;
                        stack_[top++] = n;
                    }
            }
            if (size >= shape_.minGroup)
                groups.push_back(Group{i, size, type});
        }
    return static_cast<int>(groups.size());
}

int Rules::removeGroup(uint8_t* cells, int cell) {
    const int rows = shape_.rows;
    const int end = width(cells) * rows;
    const uint8_t type = cells[cell];
    int top = 0, size = 0;
    int firstCol = cell / rows, lastCol = firstCol;
    stack_[top++] = cell;
    cells[cell] = Removed;
    while (top > 0) {
        const int j = stack_[--top];
        ++size;
        const int col = j / rows, h = j - col * rows;
        firstCol = std::min(firstCol, col);
        lastCol = std::max(lastCol, col);
        const int next[4] = {j - rows, j + rows, h > 0 ? j - 1 : -1, h + 1 < rows ? j + 1 : -1};
        for (int n : next)
            if (n >= 0 && n < end && cells[n] == type) {
                cells[n] = Removed;
                stack_[top++] = n;
            }
    }
    // Falling: each touched column keeps its remaining blocks in order.
    for (int col = firstCol; col <= lastCol; ++col) {
        uint8_t* c = cells + col * rows;
        int kept = 0;
        for (int h = 0; h < rows && c[h] != 0; ++h)
            if (c[h] != Removed)
                c[kept++] = c[h];
        for (int h = kept; h < rows && c[h] != 0; ++h)
            c[h] = 0;
    }
    // Column closing: the non-empty columns move left over the empty ones.
    const int oldWidth = end / rows;
    int to = firstCol;
    for (int col = firstCol; col < oldWidth; ++col)
        if (cells[col * rows] != 0) {
            if (to != col)
                std::memcpy(cells + to * rows, cells + col * rows, static_cast<size_t>(rows));
            ++to;
        }
    if (to < oldWidth)
        std::memset(cells + to * rows, 0, static_cast<size_t>((oldWidth - to) * rows));
    return size;
}

Move Rules::moveFor(int cell) const {
    const int col = cell / shape_.rows;
    const int height = cell - col * shape_.rows;
    return Move{static_cast<int16_t>(col), static_cast<int16_t>(shape_.rows - 1 - height)};
}

int Rules::cellFor(Move move) const {
    if (move.col < 0 || move.col >= shape_.cols || move.row < 0 || move.row >= shape_.rows)
        return -1;
    return move.col * shape_.rows + (shape_.rows - 1 - move.row);
}

TypeCounts Rules::countTypes(const uint8_t* cells, int size) {
    TypeCounts counts{};
    for (int i = 0; i < size; ++i)
        if (cells[i] != 0)
            ++counts[cells[i]];
    return counts;
}

int64_t Rules::finalScore(int64_t score, bool cleared) {
    if (!cleared)
        return score;
    const int64_t triple = score * 3;
    int64_t half = triple / 2;
    if (triple % 2 != 0 && half % 2 != 0) // x.5: the even neighbour
        half += 1;
    return half;
}

} // namespace tavro::solver
