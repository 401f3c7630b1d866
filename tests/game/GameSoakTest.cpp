// Thousands of seeded scripted games: every board invariant, the flood fill and
// the game-over test checked after every click against the searches as first
// written, each game then taken back to its start and made again; and the
// flood fill on a small thread stack.

#include "GameTestSupport.h"
#include "ReferenceRules.h"

#include <QThread>
#include <QtTest>
#include <random>

using namespace tavro;
using namespace tavro::test;

namespace {

struct Tally {
    int games = 0, moves = 0, refused = 0, cleared = 0, overAtStart = 0;
};

// A fill from `start` on a copy: the group's blocks in order, then the marks.
QString filled(Board board, int16_t start, void (*fill)(Board&, int16_t)) {
    board.SameBlocks().clear();
    fill(board, start);
    QString text;
    for (const int16_t index : board.SameBlocks())
        text += QString::number(index) + ' ';
    for (int i = 0; i < board.blockCount(); ++i)
        text += board.block(i).marked ? 'x' : '.';
    return text;
}

// IsGameOver against the reference on a copy; neither may leave a block marked.
void verifyGameOverAgrees(const Board& board) {
    Board copy = board;
    QCOMPARE(board.IsGameOver(), referenceIsGameOver(copy));
    for (int i = 0; i < board.blockCount(); ++i)
        QVERIFY(!(board.block(i).present && board.block(i).marked) &&
                !(copy.block(i).present && copy.block(i).marked));
}

auto snapshot(const Game& g) {
    return std::tuple(Game::cellsOf(g.board()), g.score(), g.blocksLeft(), g.gameFinished());
}

// Plays one new game to its end; mostly clicks on present blocks, sometimes
// anywhere (empty cells, off the board). Each click's outcome is predicted
// from a copy of the board with the reference fill.
void playOneGame(const GameSettings& s, uint32_t seed, std::mt19937& random, Tally& tally,
                 bool checkGameOver) {
    Play play(s);
    Game& game = play.g;
    play.v.record = false;
    game.newBoard(seed);
    tally.overAtStart += game.isGameOver() ? 1 : 0;
    std::vector states{snapshot(game)};
    using U = std::uniform_real_distribution<double>;
    for (bool moved = true; !game.isGameOver() && !QTest::currentTestFailed();) {
        VERIFY_BOARD_CONSISTENT(game.board());
        if (checkGameOver && moved)
            verifyGameOverAgrees(game.board());
        double x = 0, y = 0;
        if (random() % 5 == 0) {
            x = U(-60, s.Cols * 50 + 60)(random);
            y = U(-60, s.Rows * 50 + 60)(random);
        } else {
            const BlockRec& b = liveBlock(game.board(), random());
            x = b.x + U(0, 49.99)(random);
            y = b.y + U(0, 49.99)(random);
        }
        const Board before = game.board();
        const int16_t hit = before.GetBlockUnderMouse(x, y);
        Board reference = before;
        reference.SameBlocks().clear();
        if (hit >= 0 && before.block(hit).present) {
            QCOMPARE(filled(before, hit, [](Board& b, int16_t i) { b.FindSameBlocks(i); }),
                     filled(before, hit, referenceFindSameBlocks));
            referenceFindSameBlocks(reference, hit);
        }
        const int k = reference.SameBlocks().count();

        game.picBoard_MouseUp(x, y);
        QVERIFY(!game.isMoving());
        moved = k >= s.BlocksToClick;
        if (!moved) {
            ++tally.refused;
            QVERIFY(snapshot(game) == std::tuple(Game::cellsOf(before), before.score(),
                                                 before.blocksLeft(), before.gameFinished()));
            continue;
        }
        ++tally.moves;
        states.push_back(snapshot(game));
        QCOMPARE(game.blocksLeft(), before.LiveBlocks().count() - k);
        for (const int16_t index : reference.SameBlocks())
            QVERIFY(!game.board().block(index).present);
        const int64_t points = before.score() + int64_t(k) * k + 1;
        QCOMPARE(game.score(), game.blocksLeft() == 0 ? Game::clearingBonus(points) : points);
    }
    VERIFY_BOARD_CONSISTENT(game.board());
    if (checkGameOver)
        verifyGameOverAgrees(game.board());
    // Only a game that had a move ends through the move handler, once.
    QCOMPARE(play.v.highscores, game.gameFinished() ? 1 : 0);
    tally.cleared += game.blocksLeft() == 0 ? 1 : 0;
    ++tally.games;

    for (size_t i = states.size() - 1; i > 0; --i) {
        QVERIFY(game.undo());
        QVERIFY(snapshot(game) == states[i - 1]);
    }
    VERIFY_BOARD_CONSISTENT(game.board());
    QVERIFY(!game.undo());
    for (size_t i = 1; i < states.size(); ++i)
        QVERIFY(game.redo() && snapshot(game) == states[i]);
    QVERIFY(!game.redo());
    VERIFY_BOARD_CONSISTENT(game.board());
    QCOMPARE(game.historyUsed(), states.size() > 1);
}

} // namespace

class GameSoakTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors, 0); }
    void scriptedGamesKeepTheBoardConsistent() {
        std::mt19937 random(4242);
        Tally tally;
        for (int round = 0; round < 4000 && !QTest::currentTestFailed(); ++round) {
            const int cols = 1 + int(random() % 16), rows = 1 + int(random() % 12);
            GameSettings s = settingsFor(cols, rows, 1 + int(random() % 5), 3 + int(random() % 4));
            s.Background = round % 2 != 0;
            // The reference game-over test is slow: every fourth game.
            playOneGame(s, static_cast<uint32_t>(random()), random, tally, round % 4 == 0);
        }
        qInfo("%d games, %d moves, %d refused clicks, %d cleared boards, %d over at the start",
              tally.games, tally.moves, tally.refused, tally.cleared, tally.overAtStart);
        QCOMPARE(tally.games, 4000);
        // Both answers of the game-over test occur at the start.
        QVERIFY(tally.moves > 25000 && tally.cleared > 0 && tally.overAtStart > 0);
    }
    void floodFillOfAOneColourBoardFitsASmallStack() {
        Play play(settingsFor(150, 81, 2, 1));
        play.v.record = false;
        play.g.newBoard(1);
        Board board = play.g.board();
        bool over = true;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            board.FindSameBlocks(0);
            over = board.IsGameOver();
        }));
        thread->setStackSize(256 * 1024);
        thread->start();
        QVERIFY(thread->wait());
        QCOMPARE(board.SameBlocks().count(), 150 * 81);
        QVERIFY(!over);
    }
};

QTEST_GUILESS_MAIN(GameSoakTest)
#include "GameSoakTest.moc"
