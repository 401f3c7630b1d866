#pragma once

#include "solver/Position.h"
#include "solver/Rules.h"

#include <optional>
#include <string>
#include <unordered_map>

namespace tavro::solver {

// The best possible game from a position, by depth-first search over every
// line with a memo of the positions already solved. Positions that differ
// only by a renaming of the block types or by mirroring the row of columns
// share one entry: the game cannot tell them apart. For small boards only.
class ExactSolver {
public:
    explicit ExactSolver(const Shape& shape);

    // The optimum and a line that reaches it; nothing when more than
    // maxPositions distinct positions would have to be stored.
    std::optional<Solution> solve(const Position& start, size_t maxPositions = 5'000'000);
    size_t positionsStored() const { return memo_.size(); }

private:
    // The most points the rest of the game can add, on lines that clear the
    // board and on lines that do not; -1 where there is no such line.
    struct Value {
        int64_t cleared = -1;
        int64_t open = -1;
    };

    bool search(const std::vector<uint8_t>& cells, Value& value);
    std::string key(const std::vector<uint8_t>& cells) const;
    void appendColumns(std::string& out, int width, bool mirrored,
                       const std::vector<uint8_t>& cells) const;
    int width(const std::vector<uint8_t>& cells) const;

    Rules rules_;
    std::unordered_map<std::string, Value> memo_;
    size_t maxPositions_ = 0;
};

} // namespace tavro::solver
