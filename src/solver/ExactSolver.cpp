#include "solver/ExactSolver.h"

#include <algorithm>
#include <array>

namespace tavro::solver {

ExactSolver::ExactSolver(const Shape& shape) : rules_(shape) {}

int ExactSolver::width(const std::vector<uint8_t>& cells) const {
    const int rows = rules_.shape().rows;
    int w = 0;
    while (w < rules_.shape().cols && cells[static_cast<size_t>(w * rows)] != 0)
        ++w;
    return w;
}

// The cells of the first `width` columns with the types renamed in order of
// first appearance, the columns left to right or mirrored.
void ExactSolver::appendColumns(std::string& out, int width, bool mirrored,
                                const std::vector<uint8_t>& cells) const {
    const int rows = rules_.shape().rows;
    std::array<char, 256> names{};
    char next = 1;
    for (int i = 0; i < width; ++i) {
        const int col = mirrored ? width - 1 - i : i;
        for (int h = 0; h < rows; ++h) {
            const uint8_t cell = cells[static_cast<size_t>(col * rows + h)];
            if (cell != 0 && names[cell] == 0)
                names[cell] = next++;
            out.push_back(cell == 0 ? char(0) : names[cell]);
        }
    }
}

std::string ExactSolver::key(const std::vector<uint8_t>& cells) const {
    const int w = width(cells);
    std::string forward, mirrored;
    appendColumns(forward, w, false, cells);
    appendColumns(mirrored, w, true, cells);
    return std::min(forward, mirrored);
}

bool ExactSolver::search(const std::vector<uint8_t>& cells, Value& value) {
    const std::string k = key(cells);
    if (const auto found = memo_.find(k); found != memo_.end()) {
        value = found->second;
        return true;
    }
    if (memo_.size() >= maxPositions_)
        return false;
    value = Value{};
    std::vector<Group> groups;
    if (rules_.findGroups(cells.data(), groups) == 0) {
        if (cells.empty() || cells[0] == 0)
            value.cleared = 0;
        else
            value.open = 0;
    }
    std::vector<uint8_t> child;
    for (const Group& g : groups) {
        child = cells;
        const int64_t points = Rules::points(rules_.removeGroup(child.data(), g.cell));
        Value rest;
        if (!search(child, rest))
            return false;
        if (rest.cleared >= 0)
            value.cleared = std::max(value.cleared, rest.cleared + points);
        if (rest.open >= 0)
            value.open = std::max(value.open, rest.open + points);
    }
    memo_.emplace(k, value);
    return true;
}

std::optional<Solution> ExactSolver::solve(const Position& start, size_t maxPositions) {
    memo_.clear();
    maxPositions_ = maxPositions;
    Value root;
    if (!search(start.cells, root))
        return std::nullopt;
    // Whichever ending is worth more; then follow the memo along it.
    const int64_t viaClear =
        root.cleared >= 0 ? Rules::finalScore(start.score + root.cleared, true) : -1;
    const int64_t viaOpen = root.open >= 0 ? start.score + root.open : -1;
    const bool clear = viaClear > viaOpen;
    Solution s;
    s.score = std::max(viaClear, viaOpen);
    s.nodes = memo_.size();
    int64_t need = clear ? root.cleared : root.open;
    std::vector<uint8_t> cells = start.cells, child;
    std::vector<Group> groups;
    while (need > 0) {
        rules_.findGroups(cells.data(), groups);
        for (const Group& g : groups) {
            child = cells;
            const int64_t points = Rules::points(rules_.removeGroup(child.data(), g.cell));
            const Value& rest = memo_.at(key(child));
            if ((clear ? rest.cleared : rest.open) == need - points) {
                s.moves.push_back(rules_.moveFor(g.cell));
                need -= points;
                cells.swap(child);
                break;
            }
        }
    }
    return s;
}

} // namespace tavro::solver
