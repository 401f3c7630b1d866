#pragma once

#include "game/Board.h"
#include "solver/Position.h"

namespace tavro::solver {

// The solver's position of a game's board as it stands now, with its score.
Position positionOf(const Board& board);
// The cells (col, row from the top) of the group a click on `move` removes.
std::vector<Move> groupAt(const Position& position, Move move);

} // namespace tavro::solver
