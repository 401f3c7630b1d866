#include "game/Board.h"

#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavro {

void Board::reset(int cols, int rows, int blocksToClick, int blockWidth, int blockHeight) {
    if (cols < 1 || rows < 1)
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (cols * rows > std::numeric_limits<int16_t>::max())
        throw AppError(AppError::Overflow, QStringLiteral("Overflow"));
    cols_ = cols;
    rows_ = rows;
    blocksToClick_ = blocksToClick;
    blockWidth_ = blockWidth > 0 ? blockWidth : 50;
    blockHeight_ = blockHeight > 0 ? blockHeight : 50;

    grid_.assign(static_cast<size_t>(cols * rows), -1);
    cellType_.assign(grid_.size(), -1);
    totalBlocks_ = cols * rows;
    blocksLeft_ = totalBlocks_;
    score_ = 0;
    gameFinished_ = false;

    table_.clear();
    table_.reserve(grid_.size());
    ReleaseBoardLists();
    testBlocks_.clear();
}

int16_t Board::addBlock(int16_t type, bool present) {
    const int index = blockCount();
    if (index >= totalBlocks_)
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    BlockRec b;
    b.index = static_cast<int16_t>(index);
    b.type = type;
    b.col = static_cast<int16_t>(index % cols_);
    b.row = static_cast<int16_t>(index / cols_);
    b.x = b.col * blockWidth_;
    b.y = b.row * blockHeight_;
    b.present = present;
    b.marked = !present;
    grid_[cellIndex(b.col, b.row)] = b.index;
    table_.push_back(b);
    refreshCellType(b);
    if (present)
        liveBlocks_.append(b.index);
    return b.index;
}

int16_t Board::GetBlockFromCoord(int col, int row) const {
    ErrorTrap trap("basBlocks", "GetBlockFromCoord");
    int16_t result = -1;
    trap.run([&] { result = cellAt(col, row); });
    return result;
}

int16_t Board::GetBlockUnderMouse(double X, double Y) const {
    ErrorTrap trap("basBlocks", "GetBlockUnderMouse");
    int16_t result = -1;
    trap.run([&] {
        // Mouse coordinates are single precision.
        const float fx = static_cast<float>(X);
        const float fy = static_cast<float>(Y);
        if (fx >= 0 && fx < static_cast<float>(cols_ * blockWidth_) && fy >= 0 &&
            fy < static_cast<float>(rows_ * blockHeight_)) {
            const int col = static_cast<int>(std::floor(static_cast<double>(fx) / blockWidth_));
            const int row = static_cast<int>(std::floor(static_cast<double>(fy) / blockHeight_));
            result = grid_[cellIndex(col, row)];
        }
    });
    return result;
}

void Board::FindSameBlocks(int16_t index) {
    ErrorTrap trap("basBlocks", "FindSameBlocks");
    trap.run([&] { floodFill(index); });
}

// Depth-first flood fill with an explicit stack. Each frame remembers which of
// its four neighbours comes next, so blocks are appended in exactly the order
// of the recursive fill: a neighbour found is marked, appended and searched
// completely before its finder looks at its next neighbour.
void Board::floodFill(int16_t start) {
    const int16_t type = block(start).type;
    stack_.clear();
    stack_.push_back({start, 0});
    while (!stack_.empty()) {
        Frame& frame = stack_.back();
        if (frame.next == 4) {
            stack_.pop_back();
            continue;
        }
        const int direction = frame.next++;
        const BlockRec& from = table_[static_cast<size_t>(frame.block)];
        static constexpr int dc[4] = {-1, 1, 0, 0};
        static constexpr int dr[4] = {0, 0, -1, 1};
        const int16_t n = cellAt(from.col + dc[direction], from.row + dr[direction]);
        if (n == -1)
            continue;
        BlockRec& neighbour = table_[static_cast<size_t>(n)];
        if (neighbour.marked || neighbour.type != type)
            continue;
        neighbour.marked = true;
        sameBlocks_.append(n);
        stack_.push_back({n, 0});
    }
}

bool Board::IsGameOver() const {
    ErrorTrap trap("basBlocks", "IsGameOver");
    bool over = true;
    trap.run([&] {
        // A search from a block collects at least min(group size, BlocksToClick)
        // blocks when its group has two or more, and none for a lone block;
        // with BlocksToClick <= 0 any present block is enough.
        if (blocksToClick_ <= 0)
            over = liveBlocks_.isEmpty();
        else if (blocksToClick_ <= 2)
            over = !anyEqualNeighbours();
        else if (blocksToClick_ <= 4)
            over = !anySmallGroupOfAtLeast(blocksToClick_);
        else
            over = !anyGroupOfAtLeast(blocksToClick_);
    });
    return over;
}

bool Board::anyEqualNeighbours() const {
    // Counts equal pairs with straight loops the compiler turns into vector
    // code: cells one apart are vertical neighbours except across a column
    // boundary (those pairs are taken back out), cells a column apart are
    // horizontal neighbours. 16-bit counters keep more lanes per vector; the
    // count is exact because a board of fewer than 32768 cells has fewer than
    // 65536 pairs.
    const int16_t* type = cellType_.data();
    const int cells = cols_ * rows_;
    const auto equalPairs = [type](int end, int distance) {
        uint16_t pairs = 0;
        for (int i = 0; i < end; ++i)
            pairs += static_cast<uint16_t>((type[i] >= 0) & (type[i] == type[i + distance]));
        return pairs;
    };
    uint16_t pairs = equalPairs(cells - 1, 1) + equalPairs(cells - rows_, rows_);
    for (int boundary = rows_ - 1; boundary < cells - 1; boundary += rows_)
        pairs -=
            static_cast<uint16_t>((type[boundary] >= 0) & (type[boundary] == type[boundary + 1]));
    return pairs != 0;
}

// Groups of three or four are recognised from the number of equal neighbours
// of each cell: three connected cells always contain a cell with two equal
// neighbours; four contain a cell with three, or two neighbouring cells with
// two each (the grid has no triangles).
bool Board::anySmallGroupOfAtLeast(int size) const {
    std::vector<uint8_t> degrees(cellType_.size(), 0);
    const int16_t* cell = cellType_.data();
    uint8_t* degree = degrees.data();
    for (int col = 0; col < cols_; ++col) {
        const bool hasRight = col + 1 < cols_;
        for (int row = 0; row < rows_; ++row, ++cell, ++degree) {
            const int16_t t = *cell;
            if (t < 0)
                continue;
            if (row + 1 < rows_ && cell[1] == t) {
                ++degree[0];
                ++degree[1];
            }
            if (hasRight && cell[rows_] == t) {
                ++degree[0];
                ++degree[rows_];
            }
        }
    }
    if (size == 3)
        return std::any_of(degrees.begin(), degrees.end(), [](uint8_t d) { return d >= 2; });
    cell = cellType_.data();
    degree = degrees.data();
    for (int col = 0; col < cols_; ++col) {
        const bool hasRight = col + 1 < cols_;
        for (int row = 0; row < rows_; ++row, ++cell, ++degree) {
            if (degree[0] >= 3)
                return true;
            if (degree[0] < 2)
                continue;
            if (row + 1 < rows_ && cell[1] == cell[0] && degree[1] >= 2)
                return true;
            if (hasRight && cell[rows_] == cell[0] && degree[rows_] >= 2)
                return true;
        }
    }
    return false;
}

bool Board::anyGroupOfAtLeast(int size) const {
    const int cells = cols_ * rows_;
    std::vector<uint8_t> visited(static_cast<size_t>(cells), 0);
    std::vector<int32_t> pending;
    for (int startCell = 0; startCell < cells; ++startCell) {
        const int16_t t = cellType_[static_cast<size_t>(startCell)];
        if (t < 0 || visited[static_cast<size_t>(startCell)])
            continue;
        int found = 0;
        pending.clear();
        pending.push_back(startCell);
        visited[static_cast<size_t>(startCell)] = 1;
        while (!pending.empty()) {
            const int c = pending.back();
            pending.pop_back();
            if (++found >= size)
                return true;
            const int col = c / rows_;
            const int row = c % rows_;
            const int next[4] = {col > 0 ? c - rows_ : -1, col + 1 < cols_ ? c + rows_ : -1,
                                 row > 0 ? c - 1 : -1, row + 1 < rows_ ? c + 1 : -1};
            for (int n : next) {
                if (n < 0 || visited[static_cast<size_t>(n)] ||
                    cellType_[static_cast<size_t>(n)] != t)
                    continue;
                visited[static_cast<size_t>(n)] = 1;
                pending.push_back(n);
            }
        }
    }
    return false;
}

void Board::ReleaseBoardLists() {
    liveBlocks_.clear();
    sameBlocks_.clear();
}

void Board::setPresent(int index, bool present) {
    BlockRec& b = table_.at(static_cast<size_t>(index));
    b.present = present;
    refreshCellType(b);
}

void Board::setMarked(int index, bool marked) {
    table_.at(static_cast<size_t>(index)).marked = marked;
}

void Board::swapCells(int a, int b) {
    BlockRec& first = table_.at(static_cast<size_t>(a));
    BlockRec& second = table_.at(static_cast<size_t>(b));
    std::swap(first.col, second.col);
    std::swap(first.row, second.row);
    for (BlockRec* moved : {&first, &second}) {
        moved->x = moved->col * blockWidth_;
        moved->y = moved->row * blockHeight_;
        grid_[cellIndex(moved->col, moved->row)] = moved->index;
        refreshCellType(*moved);
    }
}

void Board::refreshCellType(const BlockRec& b) {
    cellType_[cellIndex(b.col, b.row)] = b.present ? b.type : int16_t{-1};
}

} // namespace tavro
