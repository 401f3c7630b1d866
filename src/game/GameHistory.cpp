// Game numbers and the move history of Game.

#include "errors/ErrorTrap.h"
#include "game/Game.h"

#include <algorithm>

namespace tavro {

BoardCells Game::cellsOf(const Board& board) {
    BoardCells cells{board.cols(), board.rows(), {}};
    cells.types.resize(static_cast<size_t>(board.cols() * board.rows()), -1);
    for (int col = 0; col < board.cols(); ++col)
        for (int row = 0; row < board.rows(); ++row) {
            const BlockRec& b = board.block(board.cellAt(col, row));
            if (b.present)
                cells.types[static_cast<size_t>(col * board.rows() + row)] =
                    static_cast<int8_t>(b.type);
        }
    return cells;
}

// Right after the group left the board, before anything falls: the group's
// cells are still where the player saw them.
void Game::beginRecord() {
    pending_ = MoveRecord{};
    pending_.scoreBefore = board_.score();
    pending_.leftBefore = board_.blocksLeft();
    pending_.finishedBefore = board_.gameFinished();
    const BlockList& group = board_.SameBlocks();
    pending_.type = static_cast<int8_t>(board_.block(group.at(0)).type);
    pending_.removed.reserve(static_cast<size_t>(group.count()));
    for (const int16_t index : group) {
        const BlockRec& b = board_.block(index);
        pending_.removed.push_back(static_cast<uint16_t>(b.col * board_.rows() + b.row));
        if (!columnHasBlocks(b.col) && std::find(pending_.emptied.begin(), pending_.emptied.end(),
                                                 b.col) == pending_.emptied.end())
            pending_.emptied.push_back(static_cast<uint16_t>(b.col));
    }
}

// The move has been scored (and the game ended, if it did).
void Game::endRecord() {
    pending_.scoreAfter = board_.score();
    pending_.leftAfter = board_.blocksLeft();
    pending_.finishedAfter = board_.gameFinished();
    history_.record(std::move(pending_));
    pending_ = MoveRecord{};
}

int64_t Game::clearingBonusGiven() const {
    const MoveRecord* last = history_.lastDone();
    if (last == nullptr || last->leftAfter != 0 || board_.LiveBlocks().count() != 0)
        return 0;
    const int64_t k = last->leftBefore - last->leftAfter;
    return last->scoreAfter - (last->scoreBefore + k * k + 1);
}

bool Game::undo() {
    if (!canUndo())
        return false;
    ErrorTrap trap("frmTavro", "Undo");
    trap.run([&] {
        BoardCells cells = cellsOf(board_);
        const MoveRecord& move = history_.undo(cells);
        historyUsed_ = true;
        showCells(cells, move, false);
    });
    return true;
}

bool Game::redo() {
    if (!canRedo())
        return false;
    ErrorTrap trap("frmTavro", "Redo");
    trap.run([&] {
        BoardCells cells = cellsOf(board_);
        const MoveRecord& move = history_.redo(cells);
        showCells(cells, move, true);
    });
    return true;
}

// Rebuilds the board from `cells` (block indices in creation order, the empty
// cells spent), restores the counters of the move's side and redraws it all.
void Game::showCells(const BoardCells& cells, const MoveRecord& move, bool after) {
    board_.reset(cells.cols, cells.rows, board_.blocksToClick(), settings_.BlockWidth,
                 settings_.BlockHeight);
    for (int row = 0; row < cells.rows; ++row)
        for (int col = 0; col < cells.cols; ++col) {
            const int8_t type = cells.at(col, row);
            const int16_t index = board_.addBlock(type < 0 ? 0 : type, type >= 0);
            BlockPaint(index, type < 0);
        }
    board_.setScore(after ? move.scoreAfter : move.scoreBefore);
    board_.setBlocksLeft(after ? move.leftAfter : move.leftBefore);
    board_.setGameFinished(after ? move.finishedAfter : move.finishedBefore);
    view_.refreshBoard();
    view_.showScore(board_.score());
    view_.showLeft(board_.blocksLeft());
}

} // namespace tavro
