#pragma once

#include "solver/Position.h"

#include <cstdint>

namespace tavro::solver {

// Simple players to measure the solver against.
// Greedy: always removes the largest group (the first one found on ties).
Solution playGreedy(const Position& start);
// Random: removes a uniformly drawn removable group each move.
Solution playRandom(const Position& start, uint32_t seed);

} // namespace tavro::solver
