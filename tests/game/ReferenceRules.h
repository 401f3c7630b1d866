#pragma once

#include "game/Board.h"

namespace tavro::test {

// The searches exactly as first written: recursive, with CheckBlock scanning
// the whole LiveBlocks list per step. Slow; the yardstick for the fast versions.
bool referenceIsGameOver(Board& board);
void referenceFindSameBlocks(Board& board, int16_t index);

} // namespace tavro::test
