#pragma once

#include "solver/Position.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tavro::solver {

// One removable group of a board: a cell of it, its size and its type.
struct Group {
    int32_t cell; // index into the cell bytes
    int32_t size;
    uint8_t type; // cell value, 1 + block type
};

using TypeCounts = std::array<int32_t, MaxTypes + 1>; // indexed by cell value

// The game's rules over the compact cell bytes of one board shape: the search
// for groups, the removal with falling and column closing, and the scoring.
// All scratch space is allocated once, so a search calls these per node
// without allocating.
class Rules {
public:
    explicit Rules(const Shape& shape);

    const Shape& shape() const { return shape_; }

    // Every group of at least minGroup blocks, each once; returns how many.
    int findGroups(const uint8_t* cells, std::vector<Group>& groups);
    // Removes the group that holds `cell`, lets the blocks above fall and
    // closes empty columns; returns the number of blocks removed.
    int removeGroup(uint8_t* cells, int cell);
    // The click that removes the group holding `cell`.
    Move moveFor(int cell) const;
    // The cell under a click, -1 when it is off the board.
    int cellFor(Move move) const;

    static TypeCounts countTypes(const uint8_t* cells, int size);
    static int64_t points(int groupSize) { return int64_t(groupSize) * groupSize + 1; }
    // The score of a finished game: a cleared board multiplies it by 1.5,
    // halves rounded to the even neighbour.
    static int64_t finalScore(int64_t score, bool cleared);

private:
    int width(const uint8_t* cells) const;

    Shape shape_;
    std::vector<uint32_t> seen_; // visit stamps per cell
    uint32_t stamp_ = 0;
    std::vector<int32_t> stack_;
    std::vector<uint8_t> column_; // one column being compacted
};

} // namespace tavro::solver
