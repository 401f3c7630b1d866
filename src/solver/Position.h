#pragma once

#include <cstdint>
#include <vector>

namespace tavro::solver {

// Block types are the digits 0..9 of the replay format.
constexpr int MaxTypes = 10;

// The fixed part of a board: its size and the smallest removable group. A
// single block is never a group, so minGroup is at least 2.
struct Shape {
    int cols = 0;
    int rows = 0;
    int minGroup = 2;
    int cells() const { return cols * rows; }
};

// A click on the cell (col, row), row counted from the top as on screen.
struct Move {
    int16_t col = 0;
    int16_t row = 0;
};

// A board in the solver's compact form: one byte per cell, column by column,
// each column from the bottom up. 0 is an empty cell, 1 + t a block of type t.
// Blocks always rest on the bottom or on a block, and the non-empty columns
// form a run from column 0, as the game's collapse leaves them.
struct Position {
    Shape shape;
    std::vector<uint8_t> cells;
    int64_t score = 0;

    // From types row by row from the top (the game's creation order); a type
    // below 0 is an empty cell. The cells must already be collapsed.
    static Position fromRows(int cols, int rows, int blocksToClick,
                             const std::vector<int16_t>& types);
    // A full random board drawn like the game's new board with this seed.
    static Position random(int cols, int rows, int types, int blocksToClick, uint32_t seed);
    // Types row by row from the top, -1 for an empty cell.
    std::vector<int16_t> toRows() const;
};

// A sequence of clicks from a start position and the final score it reaches
// (clearing bonus included).
struct Solution {
    int64_t score = 0;
    std::vector<Move> moves;
    uint64_t nodes = 0; // search effort spent
};

} // namespace tavro::solver
