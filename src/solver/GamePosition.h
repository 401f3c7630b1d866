#pragma once

#include "game/Board.h"
#include "solver/Position.h"

namespace tavro::solver {

// The solver's position of a game's board as it stands now, with its score.
Position positionOf(const Board& board);

} // namespace tavro::solver
