#include "solver/GamePosition.h"

namespace tavro::solver {

Position positionOf(const Board& board) {
    std::vector<int16_t> types;
    types.reserve(static_cast<size_t>(board.cols()) * static_cast<size_t>(board.rows()));
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const int16_t index = board.cellAt(col, row);
            const BlockRec& b = board.block(index);
            types.push_back(b.present != 0 ? b.type : int16_t(-1));
        }
    Position p = Position::fromRows(board.cols(), board.rows(), board.blocksToClick(), types);
    p.score = board.score();
    return p;
}

} // namespace tavro::solver
