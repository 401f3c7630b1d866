#pragma once

#include "game/Board.h"

namespace tavro::test {

// The game-over test exactly as first written: a recursive search with
// CheckBlock scanning the whole LiveBlocks list per step. Slow; the yardstick
// for the fast version.
bool referenceIsGameOver(Board& board);

} // namespace tavro::test
