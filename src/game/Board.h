#pragma once

#include "game/BlockList.h"
#include "game/BlockRec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavro {

// The data of one board and the rules that only read or search it: the block
// table, the grid, the three block lists, the counters of the game, the grid
// lookup, the hit test, the flood fill and the game-over test.
//
// Every cell of the grid holds the index of exactly one block; a removed block
// stays in the table (present false, marked true) and stands for an empty
// cell. Moving a block is swapping it with a spent one, so the grid is always
// a permutation of the block indices.
class Board {
public:
    // Starts an empty board of cols x rows cells (ReleaseBoardLists, new
    // lists, counters: total = blocks left = cols * rows, score 0). Blocks are
    // then added in creation order with addBlock().
    void reset(int cols, int rows, int blocksToClick, int blockWidth, int blockHeight);
    // Adds the next block in creation order (row by row from the top, left to
    // right): grid entry, record, and its LiveBlocks entry; a block added as
    // not present is spent (marked, not in LiveBlocks). Returns its index.
    int16_t addBlock(int16_t type, bool present = true);

    int cols() const { return cols_; }
    int rows() const { return rows_; }
    int blocksToClick() const { return blocksToClick_; }
    int blockWidth() const { return blockWidth_; }
    int blockHeight() const { return blockHeight_; }
    int blockCount() const { return static_cast<int>(table_.size()); }
    const BlockRec& block(int index) const { return table_.at(static_cast<size_t>(index)); }

    // The block index in cell (col, row), -1 outside the board. An empty cell
    // gives its spent block.
    int16_t GetBlockFromCoord(int col, int row) const;
    // The block under a point of the board's inner area, -1 off the board.
    int16_t GetBlockUnderMouse(double X, double Y) const;
    // Collects the group connected to `index` into SameBlocks, in depth-first
    // order (neighbours left, right, up, down) and marks what it appends.
    void FindSameBlocks(int16_t index);
    // True when no group of BlocksToClick or more blocks is left (also on an
    // empty board). Marks nothing.
    bool IsGameOver() const;
    // Empties LiveBlocks and SameBlocks.
    void ReleaseBoardLists();

    // The move's changes to the model.
    void setPresent(int index, bool present);
    void setMarked(int index, bool marked);
    // Blocks a and b exchange their cells (grid, col, row, x, y).
    void swapCells(int a, int b);

    BlockList& LiveBlocks() { return liveBlocks_; }
    const BlockList& LiveBlocks() const { return liveBlocks_; }
    BlockList& SameBlocks() { return sameBlocks_; }
    const BlockList& SameBlocks() const { return sameBlocks_; }
    BlockList& TestBlocks() { return testBlocks_; }
    const BlockList& TestBlocks() const { return testBlocks_; }

    int totalBlocks() const { return totalBlocks_; }
    int blocksLeft() const { return blocksLeft_; }
    void setBlocksLeft(int left) { blocksLeft_ = left; }
    int64_t score() const { return score_; }
    void setScore(int64_t score) { score_ = score; }
    bool gameFinished() const { return gameFinished_; }
    void setGameFinished(bool finished) { gameFinished_ = finished; }

    // Grid lookup without the error trap, for the inner loops.
    int16_t cellAt(int col, int row) const {
        if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
            return -1;
        return grid_[cellIndex(col, row)];
    }

private:
    size_t cellIndex(int col, int row) const {
        return static_cast<size_t>(col) * static_cast<size_t>(rows_) + static_cast<size_t>(row);
    }
    void refreshCellType(const BlockRec& b);
    bool anyEqualNeighbours() const;
    bool anySmallGroupOfAtLeast(int size) const;
    bool anyGroupOfAtLeast(int size) const;
    void floodFill(int16_t start);

    int cols_ = 0;
    int rows_ = 0;
    int blocksToClick_ = 2;
    int blockWidth_ = 50;
    int blockHeight_ = 50;

    std::vector<BlockRec> table_;   // BlockTable
    std::vector<int16_t> grid_;     // BoardGrid, column-major
    std::vector<int16_t> cellType_; // type of the present block per cell, -1 when empty
    BlockList liveBlocks_;
    BlockList sameBlocks_;
    BlockList testBlocks_;

    int totalBlocks_ = 0;
    int blocksLeft_ = 0;
    int64_t score_ = 0;
    bool gameFinished_ = false;

    // Scratch space of the searches, kept to avoid reallocating per call.
    struct Frame {
        int16_t block;
        int8_t next; // next neighbour to examine: 0 left, 1 right, 2 up, 3 down
    };
    std::vector<Frame> stack_;
};

} // namespace tavro
