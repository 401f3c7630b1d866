#pragma once

#include "solver/Budget.h"
#include "solver/Position.h"
#include "solver/Rules.h"

#include <cstdint>
#include <random>
#include <vector>

namespace tavro::solver {

// Nested Monte-Carlo search: at level 1 every move of the current position is
// tried with one random playout, at level n with a level n-1 search, and the
// move of the best line seen so far is played. The playouts avoid the type
// with the most blocks left while any other move exists, which lets that type
// grow into large groups.
class NestedSearch {
public:
    NestedSearch(const Shape& shape, uint32_t seed);

    // Improves `best` (start it at score -1); false when the budget ran out.
    // A line already in `best` is the one to beat: the search follows it
    // wherever it finds nothing better.
    bool run(const Position& start, int level, Budget& budget, Solution& best);

private:
    struct Line {
        int64_t score = -1; // final score, bonus included
        std::vector<int32_t> cells;
    };
    // Searches from the position in buffer `depth`; `score` is its score so far.
    bool nested(int depth, int level, int64_t score, Budget& budget, Line& result,
                bool keepResult = false);
    int64_t playout(uint8_t* cells, int64_t score, std::vector<int32_t>& line);

    Rules rules_;
    int cellCount_;
    std::mt19937 random_;
    std::vector<std::vector<uint8_t>> boards_; // one scratch board per depth
    std::vector<std::vector<Group>> groups_;   // one move list per depth
    std::vector<Line> lines_;                  // one best line per depth
    std::vector<int32_t> tail_;
    std::vector<Group> playoutGroups_;
    std::vector<uint32_t> candidates_;
};

} // namespace tavro::solver
