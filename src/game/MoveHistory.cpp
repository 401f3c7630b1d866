#include "game/MoveHistory.h"

#include <algorithm>

namespace tavro {

namespace {

// The blocks of one column from the bottom up.
std::vector<int8_t> stackOf(const BoardCells& cells, int col) {
    std::vector<int8_t> stack;
    for (int row = cells.rows - 1; row >= 0; --row)
        if (cells.at(col, row) >= 0)
            stack.push_back(cells.at(col, row));
    return stack;
}

void setColumn(BoardCells& cells, int col, const std::vector<int8_t>& column) {
    std::copy(column.begin(), column.end(),
              cells.types.begin() + static_cast<std::ptrdiff_t>(col * cells.rows));
}

} // namespace

void MoveHistory::clear() {
    moves_.clear();
    moves_.shrink_to_fit();
    done_ = 0;
}

void MoveHistory::record(MoveRecord move) {
    moves_.resize(done_);
    moves_.push_back(std::move(move));
    done_ = moves_.size();
}

const MoveRecord& MoveHistory::undo(BoardCells& cells) {
    const MoveRecord& move = moves_.at(--done_);
    revertMove(cells, move);
    return move;
}

const MoveRecord& MoveHistory::redo(BoardCells& cells) {
    const MoveRecord& move = moves_.at(done_++);
    applyMove(cells, move);
    return move;
}

size_t MoveHistory::memoryBytes() const {
    size_t bytes = sizeof(*this) + moves_.capacity() * sizeof(MoveRecord);
    for (const MoveRecord& move : moves_)
        bytes += (move.removed.capacity() + move.emptied.capacity()) * sizeof(uint16_t);
    return bytes;
}

void MoveHistory::applyMove(BoardCells& cells, const MoveRecord& move) {
    for (uint16_t cell : move.removed)
        cells.types.at(cell) = -1;
    std::vector<std::vector<int8_t>> stacks;
    for (int col = 0; col < cells.cols; ++col)
        if (auto stack = stackOf(cells, col); !stack.empty())
            stacks.push_back(std::move(stack));
    std::fill(cells.types.begin(), cells.types.end(), int8_t(-1));
    for (size_t col = 0; col < stacks.size(); ++col) {
        std::vector<int8_t> column(static_cast<size_t>(cells.rows), -1);
        std::copy(stacks[col].begin(), stacks[col].end(), column.rbegin());
        setColumn(cells, static_cast<int>(col), column);
    }
}

// Column by column from the left: an emptied column held only group cells;
// any other column that held blocks is the next non-empty column of the board
// after the move, with the group's cells put back between its blocks.
void MoveHistory::revertMove(BoardCells& cells, const MoveRecord& move) {
    std::vector<std::vector<int8_t>> after;
    for (int col = 0; col < cells.cols; ++col)
        if (auto stack = stackOf(cells, col); !stack.empty())
            after.push_back(std::move(stack));

    std::vector<uint8_t> removed(cells.types.size(), 0);
    for (uint16_t cell : move.removed)
        removed.at(cell) = 1;
    std::vector<uint8_t> emptied(static_cast<size_t>(cells.cols), 0);
    for (uint16_t col : move.emptied)
        emptied.at(col) = 1;

    size_t next = 0;
    for (int col = 0; col < cells.cols; ++col) {
        const std::vector<int8_t> none;
        const bool survived = !emptied[static_cast<size_t>(col)] && next < after.size();
        const std::vector<int8_t>& stack = survived ? after[next++] : none;
        std::vector<int8_t> column(static_cast<size_t>(cells.rows), -1);
        size_t taken = 0;
        for (int row = cells.rows - 1; row >= 0; --row) {
            if (removed[static_cast<size_t>(col * cells.rows + row)])
                column[static_cast<size_t>(row)] = move.type;
            else if (taken < stack.size())
                column[static_cast<size_t>(row)] = stack[taken++];
        }
        setColumn(cells, col, column);
    }
}

} // namespace tavro
