// The solver's quality on a sample of the benchmark's boards (bench_solver
// measures all of them): the optimum on small boards, and on the default
// board well above a greedy player and above the baseline beam search.

#include "SolverTestSupport.h"
#include "solver/ExactSolver.h"
#include "solver/Players.h"
#include "solver/Solver.h"

#include <QtTest>

using namespace tavro::solver;

class SolverQualityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { solvertest::isolateSettings(); }

    void smallBoardsReachTheOptimum() {
        struct Config {
            int cols, rows, types, blocksToClick;
        };
        const Limits limits{Solver::nodesForSeconds(0.1)};
        int boards = 0, optimal = 0;
        for (const Config& c : {Config{6, 5, 3, 2}, {6, 5, 3, 3}, {5, 5, 4, 2}, {5, 5, 4, 3}})
            for (uint32_t seed = 900; seed < 920; ++seed) {
                const Position p = Position::random(c.cols, c.rows, c.types, c.blocksToClick, seed);
                const int64_t optimum = ExactSolver(p.shape).solve(p)->score;
                const Solution s = Solver::solve(p, limits);
                QCOMPARE(solvertest::replayedScore(p, s.moves), s.score);
                QVERIFY(s.score <= optimum);
                QVERIFY2(
                    s.score * 100 >= optimum * 98,
                    qPrintable(
                        QStringLiteral("%1 of %2, seed %3").arg(s.score).arg(optimum).arg(seed)));
                ++boards;
                optimal += s.score == optimum;
            }
        QVERIFY2(optimal * 100 >= boards * 95,
                 qPrintable(QStringLiteral("%1 of %2").arg(optimal).arg(boards)));
    }

    void defaultBoardBeatsGreedyAndTheBaseline() {
        double greedy = 0, baseline = 0, solver = 0;
        const Limits limits{Solver::nodesForSeconds(1.0)};
        for (uint32_t seed = 1; seed <= 8; ++seed) {
            const Position p = Position::random(12, 7, 4, 2, seed);
            greedy += double(playGreedy(p).score);
            const Evaluation halfSquares = Evaluation::halfSquares(p.shape.cells());
            Solution beamLine;
            beamLine.score = -1;
            Budget unlimited(UINT64_MAX);
            BeamSearch(p.shape).run(p, {1000, &halfSquares, false}, unlimited, beamLine);
            baseline += double(beamLine.score);
            solver += double(Solver::solve(p, limits).score);
        }
        qInfo("averages of 8 boards: greedy %.1f, baseline beam %.1f, solver %.1f", greedy / 8,
              baseline / 8, solver / 8);
        QVERIFY(solver >= 2.5 * greedy);
        QVERIFY(solver > baseline);
    }

private:
    using Limits = Solver::Limits;
};

QTEST_GUILESS_MAIN(SolverQualityTest)
#include "SolverQualityTest.moc"
