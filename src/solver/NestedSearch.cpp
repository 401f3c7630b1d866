#include "solver/NestedSearch.h"

#include <cstring>

namespace tavro::solver {

namespace {
// A playout step costs about as much time as this many beam nodes, so that one
// node budget means the same time for both searches.
constexpr uint64_t PlayoutStepCost = 4;
} // namespace

NestedSearch::NestedSearch(const Shape& shape, uint32_t seed)
    : rules_(shape), cellCount_(shape.cells()), random_(seed) {}

int64_t NestedSearch::playout(uint8_t* cells, int64_t score, std::vector<int32_t>& line) {
    while (rules_.findGroups(cells, playoutGroups_) > 0) {
        const TypeCounts counts = Rules::countTypes(cells, cellCount_);
        int tabu = 1;
        for (int t = 2; t <= MaxTypes; ++t)
            if (counts[static_cast<size_t>(t)] > counts[static_cast<size_t>(tabu)])
                tabu = t;
        candidates_.clear();
        for (uint32_t i = 0; i < playoutGroups_.size(); ++i)
            if (playoutGroups_[i].type != tabu)
                candidates_.push_back(i);
        uint32_t pick;
        if (candidates_.empty())
            pick = std::uniform_int_distribution<uint32_t>(
                0, static_cast<uint32_t>(playoutGroups_.size() - 1))(random_);
        else
            pick = candidates_[std::uniform_int_distribution<size_t>(0, candidates_.size() -
                                                                            1)(random_)];
        const int32_t cell = playoutGroups_[pick].cell;
        line.push_back(cell);
        score += Rules::points(rules_.removeGroup(cells, cell));
    }
    return Rules::finalScore(score, cells[0] == 0);
}

bool NestedSearch::nested(int depth, int level, int64_t score, Budget& budget, Line& result,
                          bool keepResult) {
    const size_t d = static_cast<size_t>(depth);
    if (!keepResult) {
        result.score = -1;
        result.cells.clear();
    }
    size_t played = 0;
    for (;;) {
        uint8_t* here = boards_[d].data();
        std::vector<Group>& moves = groups_[d];
        const int count = rules_.findGroups(here, moves);
        if (count == 0) {
            const int64_t final = Rules::finalScore(score, here[0] == 0);
            if (final > result.score) {
                result.score = final;
                result.cells.resize(played);
            }
            return true;
        }
        for (int m = 0; m < count; ++m) {
            uint8_t* child = boards_[d + 1].data();
            std::memcpy(child, here, static_cast<size_t>(cellCount_));
            const int64_t childScore =
                score + Rules::points(rules_.removeGroup(child, moves[m].cell));
            Line& sub = lines_[d + 1];
            int64_t final;
            if (level <= 1) {
                tail_.clear();
                final = playout(child, childScore, tail_);
                if (!budget.spend(PlayoutStepCost * (tail_.size() + 1)))
                    return false;
            } else {
                if (!nested(depth + 1, level - 1, childScore, budget, sub))
                    return false;
                final = sub.score;
            }
            if (final > result.score) {
                result.score = final;
                result.cells.resize(played);
                result.cells.push_back(moves[m].cell);
                const std::vector<int32_t>& rest = level <= 1 ? tail_ : sub.cells;
                result.cells.insert(result.cells.end(), rest.begin(), rest.end());
            }
        }
        // Follow the best line one move.
        score += Rules::points(rules_.removeGroup(here, result.cells[played]));
        ++played;
    }
}

bool NestedSearch::run(const Position& start, int level, Budget& budget, Solution& best) {
    // Each level of nesting goes one buffer deeper.
    const size_t depth = static_cast<size_t>(level) + 2;
    if (boards_.size() < depth) {
        boards_.resize(depth, std::vector<uint8_t>(static_cast<size_t>(cellCount_)));
        groups_.resize(depth);
        lines_.resize(depth);
    }
    std::memcpy(boards_[0].data(), start.cells.data(), static_cast<size_t>(cellCount_));
    Line line;
    if (best.score >= 0) {
        line.score = best.score;
        for (const Move& move : best.moves)
            line.cells.push_back(rules_.cellFor(move));
    }
    const bool complete = nested(0, level, start.score, budget, line, true);
    if (line.score > best.score) {
        // Cells are meaningful on the board they were played on: replay them.
        std::vector<uint8_t> cells = start.cells;
        best.score = line.score;
        best.moves.clear();
        for (int32_t cell : line.cells) {
            best.moves.push_back(rules_.moveFor(cell));
            rules_.removeGroup(cells.data(), cell);
        }
    }
    return complete;
}

} // namespace tavro::solver
