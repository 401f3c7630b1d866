#include "solver/Players.h"

#include "solver/Rules.h"

#include <random>

namespace tavro::solver {

namespace {

template <typename Choose> Solution play(const Position& start, Choose choose) {
    Rules rules(start.shape);
    std::vector<uint8_t> cells = start.cells;
    std::vector<Group> groups;
    Solution s;
    s.score = start.score;
    while (rules.findGroups(cells.data(), groups) > 0) {
        const Group& g = groups[choose(groups)];
        s.moves.push_back(rules.moveFor(g.cell));
        s.score += Rules::points(rules.removeGroup(cells.data(), g.cell));
        ++s.nodes;
    }
    const bool cleared = cells.empty() || cells[0] == 0;
    s.score = Rules::finalScore(s.score, cleared);
    return s;
}

} // namespace

Solution playGreedy(const Position& start) {
    return play(start, [](const std::vector<Group>& groups) {
        size_t best = 0;
        for (size_t i = 1; i < groups.size(); ++i)
            if (groups[i].size > groups[best].size)
                best = i;
        return best;
    });
}

Solution playRandom(const Position& start, uint32_t seed) {
    std::mt19937 random(seed);
    return play(start, [&](const std::vector<Group>& groups) {
        return std::uniform_int_distribution<size_t>(0, groups.size() - 1)(random);
    });
}

} // namespace tavro::solver
