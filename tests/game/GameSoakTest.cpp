// Thousands of seeded games played by a scripted player, with every invariant
// of the board model checked after every click; and the flood fill on a small
// thread stack.

#include "BoardInvariants.h"
#include "GameTestSupport.h"
#include "SilentView.h"

#include <QtTest>
#include <algorithm>
#include <pthread.h>
#include <random>
#include <set>

using namespace tavro;
using namespace tavro::test;

class GameSoakTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors(), 0); }
    void scriptedGamesKeepTheBoardConsistent();
    void largeGamesKeepTheBoardConsistent();
    void floodFillOfAOneColourBoardFitsASmallStack();
};

namespace {

struct Tally {
    int games = 0;
    int moves = 0;
    int refused = 0;
    int cleared = 0;
};

// Plays one game to its end; mostly clicks on removable groups, sometimes
// anywhere (lone blocks, empty cells, off the board).
void playOneGame(Game& game, SilentView& view, std::mt19937& random, Tally& tally) {
    const int width = game.board().cols() * 50;
    const int height = game.board().rows() * 50;
    int highscoresBefore = view.highscores;
    while (!game.isGameOver()) {
        double x = 0, y = 0;
        if (random() % 5 == 0) {
            x = std::uniform_real_distribution<double>(-60, width + 60)(random);
            y = std::uniform_real_distribution<double>(-60, height + 60)(random);
        } else {
            const BlockList& live = game.board().LiveBlocks();
            const BlockRec& b = game.board().block(live.at(int(random() % live.count())).index);
            x = b.x + std::uniform_real_distribution<double>(0, 49.99)(random);
            y = b.y + std::uniform_real_distribution<double>(0, 49.99)(random);
        }
        // Predict the group with a copy of the board.
        Board before = game.board();
        const int16_t hit = before.GetBlockUnderMouse(x, y);
        std::set<int> group;
        if (hit >= 0 && before.block(hit).present) {
            before.SameBlocks().clear();
            before.FindSameBlocks(hit);
            for (const BlockList::Entry& e : before.SameBlocks())
                group.insert(e.index);
        }
        const bool accepted = int(group.size()) >= game.board().blocksToClick();

        game.picBoard_MouseUp(x, y);
        QVERIFY(!game.isMoving());
        const QString broken = boardInvariantViolation(game.board());
        QVERIFY2(broken.isEmpty(), qPrintable(broken));

        if (!accepted) {
            ++tally.refused;
            QCOMPARE(game.score(), before.score());
            QCOMPARE(picture(game.board()), picture(before));
            continue;
        }
        ++tally.moves;
        const int k = int(group.size());
        QCOMPARE(game.blocksLeft(), before.LiveBlocks().count() - k);
        for (int index : group)
            QVERIFY(!game.board().block(index).present);
        int64_t expected = before.score() + int64_t(k) * k + 1;
        if (game.isGameOver() && game.blocksLeft() == 0)
            expected = Game::clearingBonus(expected);
        QCOMPARE(game.score(), expected);
    }
    QVERIFY(game.gameFinished() || view.highscores == highscoresBefore);
    if (game.blocksLeft() == 0)
        ++tally.cleared;
    ++tally.games;
}

} // namespace

void GameSoakTest::scriptedGamesKeepTheBoardConsistent() {
    std::mt19937 random(4242);
    SilentView view;
    Tally tally;
    for (int round = 0; round < 4000; ++round) {
        const int cols = 1 + int(random() % 16);
        const int rows = 1 + int(random() % 12);
        GameSettings s = settingsFor(cols, rows, 2 + int(random() % 3), 3 + int(random() % 4));
        s.Background = (round % 2) ? -1 : 0;
        Game game(s, view, view);
        game.newBoard(static_cast<uint32_t>(random()));
        QVERIFY(boardInvariantViolation(game.board()).isEmpty());
        const int highscores = view.highscores;
        playOneGame(game, view, random, tally);
        if (QTest::currentTestFailed())
            return;
        // Only a game that had a move ends through the move handler.
        QVERIFY(view.highscores - highscores <= 1);
    }
    qInfo("%d games, %d moves, %d refused clicks, %d cleared boards", tally.games, tally.moves,
          tally.refused, tally.cleared);
    QCOMPARE(tally.games, 4000);
    QVERIFY(tally.moves > 25000);
    QVERIFY(tally.cleared > 0);
}

void GameSoakTest::largeGamesKeepTheBoardConsistent() {
    std::mt19937 random(99);
    SilentView view;
    Tally tally;
    for (int round = 0; round < 4; ++round) {
        GameSettings s = settingsFor(60, 40, 2 + round % 2, 3);
        Game game(s, view, view);
        game.newBoard(static_cast<uint32_t>(random()));
        playOneGame(game, view, random, tally);
        QVERIFY(game.gameFinished());
    }
    QVERIFY(tally.moves > 400);
}

namespace {

struct StackRun {
    Board board;
    int collected = 0;
    bool over = false;
};

void* fillOnSmallStack(void* arg) {
    auto* run = static_cast<StackRun*>(arg);
    run->board.FindSameBlocks(0);
    run->collected = run->board.SameBlocks().count();
    run->over = run->board.IsGameOver();
    return nullptr;
}

} // namespace

void GameSoakTest::floodFillOfAOneColourBoardFitsASmallStack() {
    GameSettings s = settingsFor(150, 81, 2, 1);
    SilentView view;
    Game game(s, view, view);
    game.newBoard(1);
    StackRun run{game.board()};

    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    QCOMPARE(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    pthread_t thread;
    QCOMPARE(pthread_create(&thread, &attributes, fillOnSmallStack, &run), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);

    QCOMPARE(run.collected, 150 * 81);
    QVERIFY(!run.over);
}

QTEST_GUILESS_MAIN(GameSoakTest)
#include "GameSoakTest.moc"
