#include "solver/GamePosition.h"

namespace tavro::solver {

Position positionOf(const Board& board) {
    std::vector<int16_t> types;
    types.reserve(static_cast<size_t>(board.cols()) * static_cast<size_t>(board.rows()));
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const int16_t index = board.cellAt(col, row);
            const BlockRec& b = board.block(index);
            types.push_back(b.present ? b.type : int16_t(-1));
        }
    Position p = Position::fromRows(board.cols(), board.rows(), board.blocksToClick(), types);
    p.score = board.score();
    return p;
}

std::vector<Move> groupAt(const Position& position, Move move) {
    const int cols = position.shape.cols, rows = position.shape.rows;
    if (move.col < 0 || move.col >= cols || move.row < 0 || move.row >= rows)
        return {};
    const std::vector<int16_t> types = position.toRows();
    const auto at = [cols](Move m) { return static_cast<size_t>(m.row * cols + m.col); };
    const int16_t type = types[at(move)];
    if (type < 0)
        return {};
    std::vector<uint8_t> seen(types.size(), 0);
    std::vector<Move> group, stack{move};
    seen[at(move)] = 1;
    while (!stack.empty()) {
        const Move m = stack.back();
        stack.pop_back();
        group.push_back(m);
        const Move next[4] = {{int16_t(m.col - 1), m.row},
                              {int16_t(m.col + 1), m.row},
                              {m.col, int16_t(m.row - 1)},
                              {m.col, int16_t(m.row + 1)}};
        for (const Move n : next)
            if (n.col >= 0 && n.col < cols && n.row >= 0 && n.row < rows && !seen[at(n)] &&
                types[at(n)] == type) {
                seen[at(n)] = 1;
                stack.push_back(n);
            }
    }
    return group;
}

} // namespace tavro::solver
