#pragma once

#include "game/Board.h"

#include <cstdint>

namespace tavro::test {

// The searches exactly as first written: recursive, CheckBlock scanning the
// whole LiveBlocks list per step. Slow; the yardstick for the fast versions.
void referenceCheckBlock(Board& board, int16_t index);
bool referenceIsGameOver(Board& board);
void referenceFindSameBlocks(Board& board, int16_t index);

} // namespace tavro::test
