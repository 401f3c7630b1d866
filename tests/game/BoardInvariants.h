#pragma once

#include "game/Board.h"

#include <QString>

namespace tavro::test {

// Checks every invariant of the board model; returns the first violation, or
// an empty text. `betweenMoves` adds the ones that hold only after a move:
// present blocks unmarked, columns stacked at the bottom, non-empty columns a
// run from column 0, blocks left equal to the LiveBlocks count.
QString boardInvariantViolation(const Board& board, bool betweenMoves = true);

} // namespace tavro::test
