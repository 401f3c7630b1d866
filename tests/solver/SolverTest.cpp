// The solver's rules against the game's move handler, and every search's
// answer replayed through the game.

#include "solver/Solver.h"

#include "SolverTestSupport.h"
#include "solver/ExactSolver.h"
#include "solver/NestedSearch.h"
#include "solver/Players.h"
#include "solver/Rules.h"

#include <QtTest>
#include <random>

using namespace tavro::solver;
using solvertest::RealGame;
using solvertest::replayedScore;

namespace {

struct Config {
    int cols, rows, types, blocksToClick;
};
constexpr Config kConfigs[] = {{12, 7, 4, 2},  {6, 5, 3, 3}, {9, 4, 5, 4},
                               {20, 15, 6, 2}, {5, 8, 3, 1}, {1, 6, 2, 2}};

// The best final score over every line, without a memo: the reference for
// the exact solver on tiny boards.
int64_t bruteForce(Rules& rules, const std::vector<uint8_t>& cells, int64_t score) {
    std::vector<Group> groups;
    if (rules.findGroups(cells.data(), groups) == 0)
        return Rules::finalScore(score, cells[0] == 0);
    int64_t best = 0;
    for (const Group& g : groups) {
        std::vector<uint8_t> child = cells;
        const int64_t points = Rules::points(rules.removeGroup(child.data(), g.cell));
        best = std::max(best, bruteForce(rules, child, score + points));
    }
    return best;
}

} // namespace

class SolverTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { solvertest::isolateSettings(); }

    // Random lines on many shapes: after every click the solver's board, its
    // score and its end of game are the game's.
    void rulesFollowTheGame() {
        for (const Config& c : kConfigs)
            for (uint32_t seed = 1; seed <= 12; ++seed) {
                Position p = Position::random(c.cols, c.rows, c.types, c.blocksToClick, seed);
                RealGame real(p);
                Rules rules(p.shape);
                std::vector<Group> groups;
                std::mt19937 random(seed);
                int64_t score = 0;
                while (rules.findGroups(p.cells.data(), groups) > 0) {
                    QVERIFY(!real.game().isGameOver());
                    const Group& g = groups[random() % groups.size()];
                    real.click(rules.moveFor(g.cell));
                    score += Rules::points(rules.removeGroup(p.cells.data(), g.cell));
                    QCOMPARE(p.toRows(), real.types());
                    if (!real.game().isGameOver())
                        QCOMPARE(real.game().score(), score);
                }
                QVERIFY2(real.game().isGameOver(), qPrintable(QString::number(seed)));
                const bool cleared = p.cells[0] == 0;
                QCOMPARE(real.game().blocksLeft() == 0, cleared);
                QCOMPARE(real.game().score(), Rules::finalScore(score, cleared));
            }
    }

    // Every search's line, played through the game, ends it with the score
    // the search claimed.
    void linesReplayToTheirScore() {
        for (const Config& c : kConfigs)
            for (uint32_t seed = 20; seed < 24; ++seed) {
                const Position p = Position::random(c.cols, c.rows, c.types, c.blocksToClick, seed);
                std::vector<std::pair<const char*, Solution>> lines;
                lines.emplace_back("solver", Solver::solve(p, {Solver::nodesForSeconds(0.05)}));
                lines.emplace_back("greedy", playGreedy(p));
                lines.emplace_back("random", playRandom(p, seed));
                const Evaluation halfSquares = Evaluation::halfSquares(p.shape.cells());
                Solution beamLine;
                beamLine.score = -1;
                Budget unlimited(UINT64_MAX);
                BeamSearch(p.shape).run(p, {50, &halfSquares, false}, unlimited, beamLine);
                lines.emplace_back("beam", beamLine);
                Solution nestedLine;
                nestedLine.score = -1;
                Budget budget(20'000);
                NestedSearch(p.shape, seed).run(p, 1, budget, nestedLine);
                lines.emplace_back("nested", nestedLine);
                if (p.shape.cells() <= 30)
                    lines.emplace_back("exact", *ExactSolver(p.shape).solve(p));
                for (const auto& [name, line] : lines)
                    QVERIFY2(replayedScore(p, line.moves) == line.score,
                             qPrintable(QStringLiteral("%1 on %2x%3 seed %4")
                                            .arg(name)
                                            .arg(c.cols)
                                            .arg(c.rows)
                                            .arg(seed)));
            }
    }

    // The memo and the merging of renamed and mirrored positions lose nothing.
    void exactSolverFindsTheOptimum() {
        for (const auto& [cols, rows, types] : {std::tuple{4, 3, 3}, {3, 4, 2}, {5, 2, 3}})
            for (uint32_t seed = 1; seed <= 30; ++seed) {
                const Position p = Position::random(cols, rows, types, 2, seed);
                Rules rules(p.shape);
                const std::optional<Solution> exact = ExactSolver(p.shape).solve(p);
                QVERIFY(exact);
                QCOMPARE(exact->score, bruteForce(rules, p.cells, 0));
            }
        const Position big = Position::random(12, 7, 4, 2, 1);
        QVERIFY(!ExactSolver(big.shape).solve(big, 1000)); // gives up past its limit
    }

    // The same position and budget give the same line; a stopped search ends
    // early, and what it answers is still a whole line.
    void answersAreReproducible() {
        const Position p = Position::random(12, 7, 4, 2, 77);
        const Solver::Limits limits{Solver::nodesForSeconds(0.2)};
        const Solution a = Solver::solve(p, limits), b = Solver::solve(p, limits);
        QCOMPARE(a.score, b.score);
        QVERIFY(a.moves.size() == b.moves.size() &&
                std::equal(a.moves.begin(), a.moves.end(), b.moves.begin(),
                           [](Move x, Move y) { return x.col == y.col && x.row == y.row; }));
        const std::atomic<bool> stop{true};
        Solver::Limits stopped = limits;
        stopped.stop = &stop;
        const Solution quick = Solver::solve(p, stopped);
        QVERIFY(quick.nodes < a.nodes / 10);
        if (quick.score >= 0)
            QCOMPARE(replayedScore(p, quick.moves), quick.score);
        QVERIFY(quick.score <= a.score);
    }
};

QTEST_GUILESS_MAIN(SolverTest)
#include "SolverTest.moc"
