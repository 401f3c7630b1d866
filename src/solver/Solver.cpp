#include "solver/Solver.h"

#include "solver/NestedSearch.h"

#include <algorithm>
#include <cmath>

namespace tavro::solver {

namespace {
// Nodes per second of the searches on one core, measured on the 12 x 7 board
// in processor time and rounded down so that the budget for a second ends
// within it on an idle core.
constexpr double NodesPerSecond = 2'500'000;
// The share of the budget that the widening beams may take; nested search gets
// the rest, starting from the best beam line.
constexpr double BeamShare = 0.35;
// The layers of the widest beam stay within this many bytes.
constexpr int64_t LayerBytes = 40'000'000;
} // namespace

uint64_t Solver::nodesForSeconds(double seconds) {
    return static_cast<uint64_t>(std::max(0.0, seconds) * NodesPerSecond);
}

Solver::Limits Solver::forSeconds(double seconds, const std::atomic<bool>* stop) {
    Limits limits;
    limits.nodes = nodesForSeconds(seconds);
    limits.stop = stop;
    limits.cpuSeconds = 0.9 * std::max(0.0, seconds);
    return limits;
}

Solution Solver::solve(const Position& start, const Limits& limits) {
    const Evaluation evaluation = Evaluation::potential(start.shape.cells());
    BeamSearch beam(start.shape);
    Solution best;
    best.score = -1;
    const double deadline = Budget::threadSeconds() + limits.cpuSeconds;
    // The first beam is not limited: it is the answer of last resort.
    Budget first(UINT64_MAX, limits.stop);
    beam.run(start, {1, &evaluation, true}, first, best);
    uint64_t spent = first.used();
    bool exhaustive = beam.wasExhaustive();

    // Wider beams, each about four times the last, while the beam's share lasts.
    const uint64_t beamNodes = static_cast<uint64_t>(double(limits.nodes) * BeamShare);
    const int cap =
        static_cast<int>(std::max<int64_t>(1, LayerBytes / std::max(1, start.shape.cells())));
    uint64_t lastCost = std::max<uint64_t>(spent, 1);
    int width = 1;
    while (!exhaustive && spent < beamNodes && width < cap) {
        const double afford = double(width) * double(beamNodes - spent) / double(lastCost);
        const int next = static_cast<int>(std::min({afford, double(width) * 4, double(cap)}));
        if (next <= width)
            break;
        width = next;
        Budget budget(limits.nodes - spent, limits.stop, deadline);
        const bool complete = beam.run(start, {width, &evaluation, true}, budget, best);
        spent += budget.used();
        lastCost = std::max<uint64_t>(budget.used(), 1);
        if (!complete)
            break;
        exhaustive = beam.wasExhaustive();
    }

    // Nested Monte-Carlo search from the best line, with fresh playouts each
    // round, until the budget is spent. Its first step alone costs a playout per
    // move; where that is out of reach (large boards) the beam's line stands.
    const bool nestedAffordable = first.used() * 16 < limits.nodes;
    for (uint32_t round = 1; nestedAffordable && !exhaustive && spent < limits.nodes; ++round) {
        NestedSearch nested(start.shape, round);
        Budget budget(limits.nodes - spent, limits.stop, deadline);
        const bool complete = nested.run(start, 2, budget, best);
        spent += budget.used();
        if (!complete)
            break;
    }
    best.nodes = spent;
    return best;
}

} // namespace tavro::solver
