#include "ReferenceRules.h"

#include <cstdlib>

namespace tavro::test {

static void referenceCheckBlock(Board& board, int16_t index) {
    if (board.TestBlocks().count() >= board.blocksToClick())
        return;
    for (int i = 0; i < board.LiveBlocks().count(); ++i) {
        const int16_t j = board.LiveBlocks().at(i);
        const BlockRec& from = board.block(index);
        const BlockRec& other = board.block(j);
        if (other.type != from.type || other.marked)
            continue;
        if ((other.col == from.col && std::abs(other.row - from.row) == 1) ||
            (other.row == from.row && std::abs(other.col - from.col) == 1)) {
            board.setMarked(j, true);
            board.TestBlocks().append(j);
            referenceCheckBlock(board, j);
        }
    }
}

bool referenceIsGameOver(Board& board) {
    for (int i = 0; i < board.LiveBlocks().count(); ++i) {
        board.TestBlocks().clear();
        referenceCheckBlock(board, board.LiveBlocks().at(i));
        for (const int16_t index : board.TestBlocks())
            board.setMarked(index, false);
        if (board.TestBlocks().count() >= board.blocksToClick())
            return false;
    }
    return true;
}

} // namespace tavro::test
