// Every search's answer replayed through the game, the solver's quality on a
// sample of the benchmark's boards (bench_solver measures all), the worker-
// thread search, and the command-line tools tavro-solve and tavro-replay.

#include "solver/Solver.h"

#include "game/GameTestSupport.h"
#include "solver/ExactSolver.h"
#include "solver/GamePosition.h"
#include "solver/NestedSearch.h"
#include "solver/Players.h"
#include "solver/Rules.h"
#include "solver/SolverTask.h"

#include <QProcess>
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
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class SolverTest : public QObject {
    Q_OBJECT

private slots:
    // Every search's line, played through the game's move handler, ends it
    // with the score the search claimed: the solver's rules are the game's.
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
                             qPrintable(QString::asprintf("%s on %dx%d seed %u", name, c.cols,
                                                          c.rows, seed)));
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
                QVERIFY2(s.score <= optimum && s.score * 100 >= optimum * 98,
                         qPrintable(QString::asprintf("%lld of %lld, seed %u", qlonglong(s.score),
                                                      qlonglong(optimum), seed)));
                ++boards;
                optimal += s.score == optimum;
            }
        QVERIFY2(optimal * 100 >= boards * 95,
                 qPrintable(QString::asprintf("%d of %d", optimal, boards)));
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

    // The worker's answer arrives on the owner's thread and plays the game to
    // its score; cancelling, replacing and deleting drop answers without
    // waiting for the worker.
    void taskAnswersOnTheOwnersThreadForItsLastStartOnly() {
        RealGame real(Position::random(12, 7, 4, 2, 5));
        real.click({0, 6});
        real.click({3, 6}); // part-way through a game: the position carries its score
        const Position now = positionOf(real.g.board());
        QString rows;
        for (const int16_t type : now.toRows())
            rows += type < 0 ? QChar('.') : QChar('0' + type);
        QCOMPARE(rows + ' ' + QString::number(now.score), real.state().remove('/'));
        const Position big = Position::random(150, 81, 4, 2, 1);
        SolverTask task;
        std::vector<std::pair<QThread*, Solution>> answers;
        connect(&task, &SolverTask::finished, this,
                [&](const Solution& s) { answers.emplace_back(QThread::currentThread(), s); });
        const auto before = std::chrono::steady_clock::now();
        task.start(big, 30);
        task.cancel();
        task.start(big, 30);
        task.start(now, 0.2); // replaces the large one
        QVERIFY(task.isRunning() && std::chrono::steady_clock::now() - before < 500ms);
        QTRY_VERIFY_WITH_TIMEOUT(!answers.empty(), 20000);
        QTest::qWait(300); // nothing of the dropped searches follows
        QCOMPARE(answers.size(), size_t(1));
        const auto& [thread, answer] = answers.front();
        QVERIFY(thread == QThread::currentThread() && !task.isRunning() &&
                answer.score > now.score);
        for (const Move& m : answer.moves)
            real.click(m);
        QVERIFY(real.g.isGameOver() && real.g.score() == answer.score);
        auto* doomed = new SolverTask;
        doomed->start(big, 30);
        const auto deleting = std::chrono::steady_clock::now();
        delete doomed; // returns at once; the worker ends on its own
        QVERIFY(std::chrono::steady_clock::now() - deleting < 100ms);
        QTest::qWait(200);
    }

    // tavro-solve's clicks, piped into tavro-replay, end the game with the
    // score it printed; malformed input makes either tool exit with status 2
    // and one short line on standard error.
    void toolsReplayTheirAnswersAndRefuseJunk() {
        QByteArray big = "btc 2\nboard\n";
        for (int row = 0; row < 7; ++row, big += '\n')
            for (int col = 0; col < 12; ++col)
                big += char('0' + (col * 7 + row * 3 + col * row) % 4);
        // Cleared with the bonus: 1s then 2s then 0s: (5 + 5 + 5) * 1.5 = 22.5 -> 22.
        for (const auto& [board, args, best] :
             {std::tuple<QByteArray, QStringList, QByteArray>("btc 2\nboard\n12\n12\n00\n", {},
                                                              "22"),
              {"btc 3\nboard\n1102\n1220\n3333\nclicks\n0 0\n", {"--time", "0.2"}, ""},
              {big, {"--time", "0.5"}, ""}}) {
            const Run solved = run("tavro-solve", args, board);
            QCOMPARE(std::pair(solved.exitCode, solved.err), std::pair(0, QByteArray()));
            QList<QByteArray> lines = solved.out.trimmed().split('\n');
            const QByteArray score = lines.first().mid(5);
            QVERIFY(lines.first() == "best " + score && (best.isEmpty() || score == best));
            lines.first() = "clicks";
            const qsizetype end = board.contains("clicks") ? board.indexOf("clicks") : board.size();
            const Run replayed =
                run("tavro-replay", {}, board.first(end) + lines.join('\n') + '\n');
            QCOMPARE(replayed.out.trimmed().split('\n').last(), "over " + score);
        }

        const QByteArray row = QByteArray(200, '0') + '\n', good = "btc 2\nboard\n00\n";
        const QByteArray junk = "btc 2\nboard\n\x01\xff'" + QByteArray(1 << 20, '\x7f') + "\n";
        std::vector<std::tuple<QString, QStringList, QByteArray>> refused;
        for (const QByteArray& input : std::initializer_list<QByteArray>{
                 "", "board\n00\nclicks\n", "btc two\nboard\n00\nclicks\n",
                 "btc 0\nboard\n00\nclicks\n", "btc 2\n00\nclicks\n", "btc 2\nboard\nclicks\n",
                 "btc 2\nboard\n00\n011\nclicks\n", "btc 2\nboard\n0a\nclicks\n", good,
                 good + "clicks\n1\n", good + "clicks\n1 0 0\n", good + "clicks\nx y\n",
                 "btc 2\nboard\n" + row.repeated(200) + "clicks\n", junk})
            refused.emplace_back("tavro-replay", QStringList(), input);
        for (const QStringList& args :
             {QStringList(), {"--time"}, {"--time", "-1"}, {"--time", "soon"}, {"--fast"}})
            refused.emplace_back("tavro-solve", args, args.isEmpty() ? "btc 2\n00\n" : good);
        refused.emplace_back("tavro-solve", QStringList(), "btc 0\nboard\n00\n");
        for (const auto& [tool, args, input] : refused) {
            const Run r = run(tool, args, input);
            const QString err = QString::fromUtf8(r.err);
            QVERIFY2(r.exitCode == 2 && r.out.isEmpty() && err.startsWith(tool + ": ") &&
                         err.count('\n') == 1 && err.size() < 400,
                     qPrintable(tool + ' ' + args.join(' ') + " < " + input.left(40) + ": " +
                                err.left(400)));
        }
        QVERIFY(run("tavro-replay", {}, junk)
                    .err.contains("got '\\x01\\xff\\x27" + QByteArray("\\x7f").repeated(57) +
                                  "'... (1048579 characters)"));
    }
};

QTEST_GUILESS_MAIN(SolverTest)
#include "SolverTest.moc"
