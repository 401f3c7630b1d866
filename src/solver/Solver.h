#pragma once

#include "solver/BeamSearch.h"
#include "solver/Budget.h"
#include "solver/Position.h"

#include <atomic>
#include <cstdint>
#include <limits>

namespace tavro::solver {

// The solver: beam searches of growing width, each merging repeated positions
// and ranking them by Evaluation::potential, until the node budget is spent;
// the best line of all of them is the answer. The first beam (width 1) always
// runs to the end, so there is an answer however small the budget.
class Solver {
public:
    struct Limits {
        uint64_t nodes = 0;
        const std::atomic<bool>* stop = nullptr;
        // A safety net for slow machines: the search ends after this much
        // processor time even when nodes are left, at the price of
        // reproducibility.
        double cpuSeconds = std::numeric_limits<double>::infinity();
    };

    // The node budget that fits into `seconds` on a typical desktop core. A
    // budget derived this way makes a time-bounded answer reproducible.
    static uint64_t nodesForSeconds(double seconds);
    // The budget for `seconds`, with 90 % of them as the safety net.
    static Limits forSeconds(double seconds, const std::atomic<bool>* stop = nullptr);

    static Solution solve(const Position& start, const Limits& limits);
};

} // namespace tavro::solver
