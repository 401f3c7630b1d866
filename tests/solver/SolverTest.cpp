// The solver's rules against the game's move handler, every search's answer
// replayed through the game, the solver's quality on a sample of the
// benchmark's boards (bench_solver measures all of them), the worker-thread
// search, and the command-line tools tavro-solve and tavro-replay.

#include "solver/Solver.h"

#include "game/GameTestSupport.h"
#include "solver/ExactSolver.h"
#include "solver/GamePosition.h"
#include "solver/NestedSearch.h"
#include "solver/Players.h"
#include "solver/Rules.h"
#include "solver/SolverTask.h"

#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>
#include <chrono>
#include <random>

using namespace tavro::solver;
using namespace std::chrono_literals;

namespace {

struct Config {
    int cols, rows, types, blocksToClick;
};
constexpr Config kConfigs[] = {{12, 7, 4, 2},  {6, 5, 3, 3}, {9, 4, 5, 4},
                               {20, 15, 6, 2}, {5, 8, 3, 1}, {1, 6, 2, 2}};

// A game on the board of `start`, ready for clicks.
struct RealGame : tavro::test::Play {
    explicit RealGame(const Position& start)
        : Play(tavro::test::settingsFor(start.shape.cols, start.shape.rows, start.shape.minGroup)) {
        v.record = false;
        g.loadBoard(start.shape.cols, start.shape.rows, start.toRows());
    }
    void click(Move m) { Play::click(m.col, m.row); }
    // The board's types row by row from the top, -1 for an empty cell.
    std::vector<int16_t> types() const {
        std::vector<int16_t> out;
        for (const QString& row : tavro::test::picture(g.board()))
            for (const QChar c : row)
                out.push_back(int16_t(c == '.' ? -1 : c.digitValue()));
        return out;
    }
};

// The final score of a line played through the game; -1 when the game is not
// over after it.
int64_t replayedScore(const Position& start, const std::vector<Move>& moves) {
    RealGame real(start);
    for (const Move& m : moves)
        real.click(m);
    return real.g.isGameOver() ? real.g.score() : -1;
}

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

Solution beamLine(const Position& p, int width) {
    const Evaluation halfSquares = Evaluation::halfSquares(p.shape.cells());
    Solution line;
    line.score = -1;
    Budget unlimited(UINT64_MAX);
    BeamSearch(p.shape).run(p, {width, &halfSquares, false}, unlimited, line);
    return line;
}

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run run(const QString& tool, const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/" + tool, args);
    Run r;
    if (!process.waitForStarted())
        return r;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class SolverTest : public QObject {
    Q_OBJECT

private slots:
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
                    QVERIFY(!real.g.isGameOver());
                    const Group& g = groups[random() % groups.size()];
                    real.click(rules.moveFor(g.cell));
                    score += Rules::points(rules.removeGroup(p.cells.data(), g.cell));
                    QCOMPARE(p.toRows(), real.types());
                    if (!real.g.isGameOver())
                        QCOMPARE(real.g.score(), score);
                }
                QVERIFY2(real.g.isGameOver(), qPrintable(QString::number(seed)));
                const bool cleared = p.cells[0] == 0;
                QCOMPARE(real.g.blocksLeft() == 0, cleared);
                QCOMPARE(real.g.score(), Rules::finalScore(score, cleared));
            }
    }

    // Every search's line, played through the game, ends it with the score
    // the search claimed.
    void linesReplayToTheirScore() {
        for (const Config& c : kConfigs)
            for (uint32_t seed = 20; seed < 24; ++seed) {
                const Position p = Position::random(c.cols, c.rows, c.types, c.blocksToClick, seed);
                std::vector<std::pair<const char*, Solution>> lines = {
                    {"solver", Solver::solve(p, {Solver::nodesForSeconds(0.05)})},
                    {"greedy", playGreedy(p)},
                    {"random", playRandom(p, seed)},
                    {"beam", beamLine(p, 50)},
                    {"nested", {-1, {}, 0}}};
                Budget budget(20'000);
                NestedSearch(p.shape, seed).run(p, 1, budget, lines.back().second);
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

    void smallBoardsReachTheOptimum() {
        const Solver::Limits limits{Solver::nodesForSeconds(0.1)};
        int boards = 0, optimal = 0;
        for (const Config& c : {Config{6, 5, 3, 2}, {6, 5, 3, 3}, {5, 5, 4, 2}, {5, 5, 4, 3}})
            for (uint32_t seed = 900; seed < 920; ++seed) {
                const Position p = Position::random(c.cols, c.rows, c.types, c.blocksToClick, seed);
                const int64_t optimum = ExactSolver(p.shape).solve(p)->score;
                const Solution s = Solver::solve(p, limits);
                QCOMPARE(replayedScore(p, s.moves), s.score);
                QVERIFY2(
                    s.score <= optimum && s.score * 100 >= optimum * 98,
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
        for (uint32_t seed = 1; seed <= 8; ++seed) {
            const Position p = Position::random(12, 7, 4, 2, seed);
            greedy += double(playGreedy(p).score);
            baseline += double(beamLine(p, 1000).score);
            solver += double(Solver::solve(p, {Solver::nodesForSeconds(1.0)}).score);
        }
        qInfo("averages of 8 boards: greedy %.1f, baseline beam %.1f, solver %.1f", greedy / 8,
              baseline / 8, solver / 8);
        QVERIFY(solver >= 2.5 * greedy && solver > baseline);
    }

    // The worker's answer, from a game part-way through, arrives on the
    // owner's thread and plays the game to its score.
    void taskAnswersOnTheOwnersThread() {
        RealGame real(Position::random(12, 7, 4, 2, 5));
        real.click({0, 6});
        real.click({3, 6});
        const Position now = positionOf(real.g.board());
        QCOMPARE(now.score, real.g.score());
        QCOMPARE(now.toRows(), real.types());
        SolverTask task;
        QThread* answeredOn = nullptr;
        Solution answer;
        connect(&task, &SolverTask::finished, this, [&](const Solution& s) {
            answeredOn = QThread::currentThread();
            answer = s;
        });
        task.start(now, 0.2);
        QVERIFY(task.isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(answeredOn != nullptr, 20000);
        QCOMPARE(answeredOn, QThread::currentThread());
        QVERIFY(!task.isRunning() && answer.score > now.score);
        for (const Move& m : answer.moves)
            real.click(m);
        QVERIFY(real.g.isGameOver());
        QCOMPARE(real.g.score(), answer.score);
    }

    // Cancelling, replacing and deleting drop answers without waiting for the worker.
    void cancelledAndReplacedSearchesAreDropped() {
        const Position big = Position::random(150, 81, 4, 2, 1);
        const Position small = Position::random(6, 5, 3, 2, 1);
        SolverTask task;
        QSignalSpy spy(&task, &SolverTask::finished);
        const auto before = std::chrono::steady_clock::now();
        task.start(big, 30);
        task.cancel();
        task.start(big, 30);
        task.start(small, 0.05); // replaces the large one
        QVERIFY(std::chrono::steady_clock::now() - before < 500ms);
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);
        const auto s = spy.first().first().value<Solution>();
        QCOMPARE(replayedScore(small, s.moves), s.score);
        QTest::qWait(300);
        QCOMPARE(spy.count(), 1);
        auto* doomed = new SolverTask;
        doomed->start(big, 30);
        const auto deleting = std::chrono::steady_clock::now();
        delete doomed; // returns at once; the worker ends on its own
        QVERIFY(std::chrono::steady_clock::now() - deleting < 100ms);
        QTest::qWait(200);
    }

    // tavro-solve's clicks, piped into tavro-replay, end the game with the
    // score it printed.
    void solveToolClicksReproduceTheScore_data() {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QStringList>("args");
        // Cleared with the bonus: 1s then 2s then 0s: (5 + 5 + 5) * 1.5 = 22.5 -> 22.
        QTest::newRow("cleared") << QByteArray("btc 2\nboard\n12\n12\n00\n") << QStringList{};
        QTest::newRow("clicks ignored")
            << QByteArray("btc 3\nboard\n1102\n1220\n3333\nclicks\n0 0\n")
            << QStringList{"--time", "0.2"};
        QByteArray big = "btc 2\nboard\n";
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 12; ++col)
                big += char('0' + (col * 7 + row * 3 + col * row) % 4);
            big += '\n';
        }
        QTest::newRow("12 x 7") << big << QStringList{"--time", "0.5"};
    }
    void solveToolClicksReproduceTheScore() {
        QFETCH(QByteArray, board);
        QFETCH(QStringList, args);
        const Run solved = run("tavro-solve", args, board);
        QCOMPARE(std::pair(solved.exitCode, solved.err), std::pair(0, QByteArray()));
        QList<QByteArray> lines = solved.out.trimmed().split('\n');
        QVERIFY(lines.first().startsWith("best "));
        const QByteArray best = lines.takeFirst().mid(5);
        const QByteArray script =
            board.first(board.contains("clicks") ? board.indexOf("clicks") : board.size()) +
            "clicks\n" + lines.join('\n');
        const Run replayed = run("tavro-replay", {}, script + '\n');
        QCOMPARE(replayed.exitCode, 0);
        QCOMPARE(replayed.out.trimmed().split('\n').last(), "over " + best);
        if (board.startsWith("btc 2\nboard\n12\n"))
            QCOMPARE(best, QByteArray("22"));
    }

    // Exit code 2 and one short line on standard error.
    void toolsRefuseMalformedInput_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        const QByteArray row = QByteArray(200, '0') + '\n';
        int solveRow = 0;
        for (const auto& [name, input] :
             {std::pair<const char*, QByteArray>("empty", ""),
              {"no btc", "board\n00\nclicks\n"},
              {"btc not a number", "btc two\nboard\n00\nclicks\n"},
              {"btc zero", "btc 0\nboard\n00\nclicks\n"},
              {"no board line", "btc 2\n00\nclicks\n"},
              {"no rows", "btc 2\nboard\nclicks\n"},
              {"ragged rows", "btc 2\nboard\n00\n011\nclicks\n"},
              {"letter in a row", "btc 2\nboard\n0a\nclicks\n"},
              {"no clicks line", "btc 2\nboard\n00\n"},
              {"one number", "btc 2\nboard\n00\nclicks\n1\n"},
              {"three numbers", "btc 2\nboard\n00\nclicks\n1 0 0\n"},
              {"not a click", "btc 2\nboard\n00\nclicks\nx y\n"},
              {"too many cells", "btc 2\nboard\n" + row.repeated(200) + "clicks\n"},
              {"long junk line", "btc 2\nboard\n\x01\xff'" + QByteArray(1 << 20, '\x7f') + "\n"}})
            QTest::addRow("replay: %s", name) << "tavro-replay" << QStringList() << input;
        for (const auto& [args, input] : {std::pair<QStringList, QByteArray>({}, ""),
                                          {{}, "btc 2\n00\n"},
                                          {{}, "btc 0\nboard\n00\n"},
                                          {{}, "btc 2\nboard\n0a\n"},
                                          {{}, "btc 2\nboard\n00\n011\n"},
                                          {{"--time"}, "btc 2\nboard\n00\n"},
                                          {{"--time", "-1"}, "btc 2\nboard\n00\n"},
                                          {{"--time", "soon"}, "btc 2\nboard\n00\n"},
                                          {{"--fast"}, "btc 2\nboard\n00\n"}})
            QTest::addRow("solve %d", ++solveRow) << "tavro-solve" << args << input;
    }
    void toolsRefuseMalformedInput() {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const Run r = run(tool, args, input);
        const QString err = QString::fromUtf8(r.err);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.out.isEmpty() && err.startsWith(tool + ": ") && err.count('\n') == 1 &&
                     err.size() < 400,
                 qPrintable(err.left(400)));
        if (input.contains('\xff'))
            QVERIFY2(err.contains("got '\\x01\\xff\\x27" + QString("\\x7f").repeated(57) +
                                  "'... (1048579 characters)"),
                     qPrintable(err.left(400)));
    }
};

QTEST_GUILESS_MAIN(SolverTest)
#include "SolverTest.moc"
