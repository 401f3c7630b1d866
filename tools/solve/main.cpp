// tavro-solve [--time SECONDS]: reads a board in tavro-replay's format from
// standard input (btc N, board, rows; clicks are ignored) and prints the best
// line the solver finds within the time:
//   best S         the final score of the line, clearing bonus included
//   C R            one click per move, column and row of a cell of the group
// Piping the clicks after the board into tavro-replay reproduces the score.
// The search runs on a node budget derived from the time, so the same board
// and time give the same answer. Malformed input: one line on stderr, exit 2.

#include "SolveInput.h"
#include "solver/Solver.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace tavro;
    SolveInput input;
    try {
        input = SolveInput::parse(std::vector<std::string>(argv + 1, argv + argc), std::cin);
    } catch (const ReplayInput::Malformed& e) {
        std::cerr << "tavro-solve: " << e.what() << '\n';
        return 2;
    }
    const ReplayInput& b = input.board;
    const solver::Position start =
        solver::Position::fromRows(b.cols, b.rows, b.blocksToClick, b.types);
    const solver::Solution best =
        solver::Solver::solve(start, solver::Solver::forSeconds(input.seconds));
    std::cout << "best " << best.score << '\n';
    for (const solver::Move& move : best.moves)
        std::cout << move.col << ' ' << move.row << '\n';
    std::cout.flush();
    return std::cout ? 0 : 1;
}
