#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavro {

// What the player sees of a board: one block type per cell, -1 for an empty
// cell, column by column (cell index col * rows + row).
struct BoardCells {
    int cols = 0;
    int rows = 0;
    std::vector<int8_t> types;

    int index(int col, int row) const { return col * rows + row; }
    int8_t at(int col, int row) const { return types[static_cast<std::size_t>(index(col, row))]; }
    bool contains(int col, int row) const {
        return col >= 0 && col < cols && row >= 0 && row < rows;
    }

    // The cells (col * rows + row) of the group of equal blocks that touch
    // (col, row) across sides, the block itself included; empty for an empty
    // cell or one off the board.
    std::vector<int> groupAt(int col, int row) const;

    bool operator==(const BoardCells&) const = default;
};

} // namespace tavro
