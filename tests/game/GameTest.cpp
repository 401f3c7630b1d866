// The rules of one board: new boards from their numbers, lists, hit test,
// refused clicks, falling, closing columns, scoring; moves interrupted while
// they wait; undo and redo; thousands of seeded scripted games, each checked
// after every click and taken back and made again; the flood fill on a small
// thread stack. What each click does is pinned by test_replay_golden.

#include "GameTestSupport.h"
#include "ReferenceRules.h"
#include "errors/AppError.h"
#include "game/GameNumber.h"

#include <QThread>
#include <QtTest>
#include <random>

using namespace tavro;
using namespace tavro::test;

namespace {

enum Interruption { NewBoard, Abandon, Destroy, Click, OtherMove };

// Both columns hold a stack of three over the removed pair: the move waits
// once after erasing and four times while falling, and then the game is over.
const QStringList kFallingBoard = {"14", "23", "15", "00"};

int errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

auto snapshot(const Game& g) {
    return std::tuple(Game::cellsOf(g.board()), g.score(), g.blocksLeft(), g.gameFinished());
}

} // namespace

class GameTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors, 0); }

    void newBoardsComeFromTheirNumbers() {
        Play p(settingsFor(12, 7));
        auto& [s, v, owner, g] = p;
        g.newBoard(0);
        // Players share boards by number: a change of the generator changes these.
        QCOMPARE(picture(g.board()).join(""), "310301030313222213033231321123300031101120"
                                              "003301103300320332310301120233133303312101");
        QCOMPARE(std::tuple(v.events.first(), v.events.size(), g.blocksLeft(), g.score()),
                 std::tuple(QString("sound 100"), qsizetype(1 + 84), 84, int64_t(0)));
        QVERIFY(!g.isMoving() && !g.gameFinished());
        const Board& b = g.board();
        for (int i = 0; i < 84; ++i) { // made and drawn row by row from the top
            const BlockRec& r = b.block(i);
            QVERIFY(r.present && !r.marked && b.LiveBlocks().at(i) == i &&
                    b.GetBlockFromCoord(i % 12, i / 12) == i);
            QCOMPARE(v.events[1 + i],
                     QStringLiteral("draw %1 %2 %3").arg(r.type).arg(i % 12 * 50).arg(i / 12 * 50));
        }
        s = settingsFor(5, 5, 2, 6);
        g.newBoard(4294967295u);
        QCOMPARE(picture(g.board()).join(""), "2250452400202141324555542");
        g.newBoard();
        const QStringList board = picture(g.board());
        v.events.clear();
        s.Sound = false;
        g.newBoard(g.gameNumber());
        QCOMPARE(std::pair(picture(g.board()), v.only("sound")), std::pair(board, QStringList()));
        QCOMPARE(GameNumber::parse(" 42 "), std::optional<uint32_t>(42));
        QCOMPARE(GameNumber::parse("4294967295"), std::optional<uint32_t>(4294967295u));
        for (const char* bad : {"", "4294967296", "-1", "12a", "1 2", "99999999999"})
            QVERIFY2(!GameNumber::parse(bad), bad);

        // The cell count is a 16-bit number: one cell more than 32,767 is an
        // overflow and leaves the board as it was.
        s = settingsFor(151, 217);
        v.record = false;
        g.newBoard(1);
        QCOMPARE(std::pair(g.totalBlocks(), g.blocksLeft()), std::pair(32767, 32767));
        s = settingsFor(128, 256);
        g.newBoard(1);
        QCOMPARE(std::tuple(reportedErrors, lastReportedError, g.totalBlocks()),
                 std::tuple(1, int(AppError::Overflow), 32767));
        reportedErrors = 0;
    }

    void blockListKeepsOrderAndRefusesMisuse() {
        BlockList list, group;
        for (int16_t i : {5, 0, 3, 1, 4, 2})
            list.append(i);
        list.remove(3);
        group.append(4);
        group.append(5);
        list.removeAll(group);
        list.append(3);
        QCOMPARE(std::vector<int16_t>(list.begin(), list.end()),
                 (std::vector<int16_t>{0, 1, 2, 3}));
        QVERIFY(list.at(3) == 3 && list.contains(3) && !list.contains(4) && !list.contains(-1));
        QCOMPARE(errorNumber([&] { list.remove(4); }), int(AppError::InvalidCall));
        QCOMPARE(errorNumber([&] { list.removeAll(group); }), int(AppError::InvalidCall));
        QCOMPARE(errorNumber([&] { list.append(2); }), int(AppError::KeyAlreadyUsed));
        QCOMPARE(errorNumber([&] { list.at(4); }), int(AppError::SubscriptOutOfRange));
        list.clear();
        list.append(2); // a cleared list takes its blocks again
        QCOMPARE(list.count(), 1);
    }

    void gridLookupAndHitTest() {
        Play p({"0112", "2333", "0123"});
        p.click(1, 0); // removes the 1-pair: two empty cells
        const Board& b = p.g.board();
        for (const auto& [col, row] : {std::pair(-1, 0), {4, 0}, {0, -1}, {0, 3}})
            QCOMPARE(b.GetBlockFromCoord(col, row), -1);
        QVERIFY(!b.block(b.GetBlockFromCoord(1, 0)).present); // an empty cell has its spent block
        // Cells are 50 pixels wide; the board is 200 x 150 pixels.
        const std::tuple<double, double, int, int> points[] = {
            {0, 0, 0, 0},      {49.9, 0, 0, 0},      {50, 0, 1, 0},
            {0, 49.9, 0, 0},   {0, 50, 0, 1},        {199.9, 149.9, 3, 2},
            {200, 10, -1, 0},  {10, 150, -1, 0},     {-0.1, 10, -1, 0},
            {10, -0.1, -1, 0}, {-5000, 9000, -1, 0}, {std::nan(""), 10, -1, 0}};
        for (const auto& [x, y, col, row] : points)
            QVERIFY2(b.GetBlockUnderMouse(x, y) == (col < 0 ? -1 : b.GetBlockFromCoord(col, row)),
                     qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
    }

    void refusedAndIgnoredClicks() {
        Play p({"0133", "2244"});
        auto& [s, v, owner, g] = p;
        p.click(0, 0); // lone block
        QCOMPARE(v.events, QStringList({"sound 102", "sound 103"}));
        QCOMPARE(p.state(), "0133/2244 0");
        VERIFY_BOARD_CONSISTENT(g.board()); // nothing left marked
        p.click(0, 1);                      // the pair 22
        QCOMPARE(p.state(), "..33/0144 5");
        // An empty cell, left of the board, x = Cols * 50, y = Rows * 50, above it.
        for (QPointF at : {QPointF(25, 25), {-25, 25}, {200, 75}, {75, 100}, {125, -0.5}}) {
            v.events.clear();
            g.picBoard_MouseUp(at.x(), at.y());
            QVERIFY(v.events == QStringList({"sound 102"}) && !g.isMoving());
        }
        v.events.clear();
        s.Sound = false;
        p.click(1, 1); // lone 1, silent now
        QVERIFY(v.events.isEmpty());
        s.Sound = true;
        p.click(2, 0);
        p.click(2, 1);
        QCOMPARE(p.state(), "..../01.. 15"); // blocks are left: no bonus
        QVERIFY(g.gameFinished());
        v.events.clear();
        p.click(0, 1); // finished board
        QVERIFY(v.events.isEmpty());

        Play three({"0011", "2211"}, 3); // groups of two are too small
        three.click(0, 0);
        three.click(1, 1);
        QCOMPARE(three.v.events, QStringList({"sound 102", "sound 103", "sound 102", "sound 103"}));
        QCOMPARE(three.state(), "0011/2211 0");
    }

    // The pair's holes fill one block per pass, in the group's order (1,3)
    // then (0,3); a pass without a drop ends the falling, then the closing
    // phase examines column 0.
    void stacksFallOnePassPerBlock() {
        Play p(kFallingBoard);
        p.click(0, 3);
        QCOMPARE(p.v.events.join(','),
                 "sound 102,erase 50 150 50 150,erase 0 150 0 150,pause 0.02,refresh,"
                 "erase 50 100 50 100,draw 5 50 150,sound 104,"
                 "erase 0 100 0 100,draw 1 0 150,sound 104,pause 0.08,refresh,"
                 "erase 50 50 50 50,draw 3 50 100,sound 107,"
                 "erase 0 50 0 50,draw 2 0 100,sound 107,pause 0.08,refresh,"
                 "erase 50 0 50 0,draw 4 50 50,sound 107,"
                 "erase 0 0 0 0,draw 1 0 50,sound 107,pause 0.08,refresh,"
                 "pause 0.08,refresh,refresh,score 5,left 6,refresh,sound 106,highscore");
        QCOMPARE(p.state(), "../14/23/15 5");
        QVERIFY(p.g.gameFinished() && !p.g.isMoving());
    }

    // Closing column 2 moves columns 3 and 4 left, bottom row first; closing
    // column 1 moves them again. One refresh per column examined.
    void emptyColumnsCloseTowardsTheLeft() {
        Play p({"10068", "20064", "10043"});
        auto& [s, v, owner, g] = p;
        s.Background = false; // plain colour: erasing copies the top-left square
        p.click(3, 0);        // column 3 keeps one block
        v.events.clear();
        p.click(1, 0); // empties columns 1 and 2
        QCOMPARE(picture(g.board()), QStringList({"1.8..", "2.4..", "143.."}));
        QCOMPARE(v.only("erase"), v.only("erase 0 0 "));
        QCOMPARE(v.only("draw").join(','),
                 "draw 4 100 100,draw 3 150 100,draw 4 150 50,draw 8 150 0,"
                 "draw 4 50 100,draw 3 100 100,draw 4 100 50,draw 8 100 0");
        const int closing = int(v.events.lastIndexOf("pause 0.08")) + 2;
        QCOMPARE(v.events.mid(closing).count("refresh"), 4 + 1); // Cols - 1, then the score's
    }

    void scoreAndClearingBonus() {
        // Halves round to the even neighbour; the score is wider than 16 bits.
        const int64_t bonus[][2] = {{0, 0},  {1, 2},     {5, 8},         {7, 10},
                                    {9, 14}, {101, 152}, {32767, 49150}, {99999, 149998}};
        for (const auto& [before, after] : bonus)
            QCOMPARE(Game::clearingBonus(before), after);
        Play p(settingsFor(150, 81, 2, 1)); // one colour
        p.g.newBoard(5);
        p.g.picBoard_MouseUp(10, 10);
        // 12150 blocks: 12150^2 + 1 = 147622501, times 1.5 = 221433751.5 -> even.
        QCOMPARE(p.v.events.mid(p.v.events.indexOf("score 147622501")),
                 QStringList({"score 147622501", "left 0", "refresh", "sound 106",
                              "score 221433752", "highscore"}));
        QVERIFY(p.g.score() == 221433752 && p.g.blocksLeft() == 0 && p.g.gameFinished());
    }

    // A new board, the window's end, the game's destruction or another click
    // may come while a move waits: the move goes away, or goes on, without
    // touching anything it should not. Run under the address sanitizer too.
    void interruptedInAnyPause_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("atPause");
        const char* names[] = {"new board", "abandon", "destroy", "click", "other board's move"};
        for (int action = NewBoard; action <= OtherMove; ++action)
            for (int p = 1; p <= 5; ++p)
                QTest::addRow("%s in pause %d", names[action], p) << action << p;
    }
    void interruptedInAnyPause() {
        QFETCH(int, action);
        QFETCH(int, atPause);
        Play t(kFallingBoard);
        t.v.waits = true;
        t.click(0, 3);
        for (int pause = 1; pause < atPause; ++pause)
            t.v.endPause();
        QVERIFY(t.v.pending && t.owner->isMoving());
        const QString before = t.v.events.join(',') + t.state();
        switch (action) {
        case NewBoard: // a bigger board, so stale cell references would show
            t.s.Cols = 30;
            t.s.Rows = 20;
            t.owner->newBoard(11);
            break;
        case Destroy:
        case Abandon:
            t.owner->abandonMove();
            if (action == Destroy)
                t.owner.reset(); // the window and its game are gone
            break;
        case Click: // would be a pair if idle
            t.click(1, 3);
            QCOMPARE(t.v.events.join(',') + t.state(), before);
            break;
        case OtherMove:
            t.owner->loadBoard(2, 1, {4, 4});
            QVERIFY(!t.v.pending); // the old move's wait has been stopped
            t.click(0, 0);         // the new board's whole move
            while (t.v.pending)
                t.v.endPause();
            QCOMPARE(t.v.events.last(), QStringLiteral("highscore"));
        }
        const qsizetype eventsAfterAction = t.v.events.size();
        QCOMPARE(bool(t.v.pending), action == Click); // only a move that goes on waits
        while (t.v.pending)
            t.v.endPause();
        if (action != Click) // the interrupted move did nothing more
            QCOMPARE(t.v.events.size(), eventsAfterAction);
        if (action == Destroy)
            return;
        const bool finished = action == Click || action == OtherMove;
        const int64_t score = action == Click ? 5 : finished ? Game::clearingBonus(5) : 0;
        QCOMPARE(std::tuple(t.g.isMoving(), t.g.gameFinished(), t.v.highscores, t.g.score()),
                 std::tuple(false, finished, finished ? 1 : 0, score));
        // An abandoned move leaves its board as it was mid-move, still consistent.
        VERIFY_BOARD_CONSISTENT(t.g.board(), action != Abandon);
        if (action != NewBoard)
            return;
        QCOMPARE(t.g.blocksLeft(), 600);
        t.v.waits = false; // the new board plays its moves to the end
        for (int clicks = 1; !t.g.isGameOver() && clicks < 2000; ++clicks)
            t.clickBlock(clicks);
        QVERIFY(t.g.isGameOver());
        VERIFY_BOARD_CONSISTENT(t.g.board());
    }
    void newBoardInsideTheHighscoreDialog() {
        Play t(kFallingBoard);
        t.v.onHighscore = [&] { t.g.newBoard(3); };
        t.click(0, 3);
        QVERIFY(t.g.score() == 0 && !t.g.gameFinished() && !t.g.isMoving());
        VERIFY_BOARD_CONSISTENT(t.g.board());
    }

    void undoAndRedo() {
        Play p({"1122", "3344"});
        auto& [s, v, owner, g] = p;
        QVERIFY(!g.undo() && !g.redo());
        p.click(0, 0);
        v.events.clear();
        QVERIFY(g.undo());
        QCOMPARE(v.only("score|left|sound"), QStringList({"score 0", "left 8"}));
        QCOMPARE(v.only("draw").size(), 8);
        QVERIFY(g.canRedo() && g.historyUsed());
        p.click(2, 0); // a new move drops the undone one
        QCOMPARE(p.state(), "11../3344 5");
        QVERIFY(!g.canRedo() && !g.redo());
        p.click(0, 0);
        QVERIFY(g.undo()); // both ways open now
        QCOMPARE(p.state(), "11../3344 5");
        int allowed = 0; // in any of the move's waits
        v.onPause = [&] { allowed += g.undo() + g.redo(); };
        p.click(0, 1);
        QCOMPARE(allowed, 0);
        g.newBoard(1); // a new board forgets it all
        QVERIFY(!g.canUndo() && !g.historyUsed());

        // 300 moves on the largest board keep far less than a byte per cell each.
        s = settingsFor(150, 81);
        v.record = false;
        v.onPause = [] {};
        g.newBoard(300);
        std::mt19937 random(300);
        while (g.history().movesDone() < 300 && !g.isGameOver())
            p.clickBlock(random());
        QCOMPARE(g.history().movesDone(), size_t(300));
        QVERIFY(g.history().memoryBytes() < 300 * size_t(150 * 81) / 20);
    }

    void scriptedGamesKeepTheBoardConsistent() {
        std::mt19937 random(4242);
        int moves = 0, refused = 0, cleared = 0, overAtStart = 0;
        using U = std::uniform_real_distribution<double>;
        for (int round = 0; round < 4000 && !QTest::currentTestFailed(); ++round) {
            const int cols = 1 + int(random() % 16), rows = 1 + int(random() % 12);
            Play play(settingsFor(cols, rows, 1 + int(random() % 5), 3 + int(random() % 4)));
            Game& game = play.g;
            play.s.Background = round % 2 != 0;
            play.v.record = false;
            game.newBoard(static_cast<uint32_t>(random()));
            overAtStart += game.isGameOver() ? 1 : 0;
            // The literal game-over test is slow: every fourth game, after each move.
            const auto verifyGameOver = [&] {
                Board copy = game.board();
                QVERIFY(round % 4 != 0 || referenceIsGameOver(copy) == game.isGameOver());
            };
            std::vector states{snapshot(game)};
            for (bool moved = true; !game.isGameOver() && !QTest::currentTestFailed();) {
                VERIFY_BOARD_CONSISTENT(game.board());
                if (moved)
                    verifyGameOver();
                // Mostly on present blocks, sometimes anywhere: empty cells, off the board.
                if (random() % 5 == 0) {
                    game.picBoard_MouseUp(U(-60, cols * 50 + 60)(random),
                                          U(-60, rows * 50 + 60)(random));
                } else {
                    const BlockRec& b = liveBlock(game.board(), random());
                    game.picBoard_MouseUp(b.x + U(0, 49.99)(random), b.y + U(0, 49.99)(random));
                }
                QVERIFY(!game.isMoving());
                moved = snapshot(game) != states.back();
                if (moved)
                    states.push_back(snapshot(game));
                refused += moved ? 0 : 1;
            }
            VERIFY_BOARD_CONSISTENT(game.board());
            verifyGameOver();
            // Only a game that had a move ends through the move handler, once.
            QCOMPARE(play.v.highscores, game.gameFinished() ? 1 : 0);
            cleared += game.blocksLeft() == 0 ? 1 : 0;
            moves += int(states.size()) - 1;

            for (size_t i = states.size() - 1; i > 0; --i)
                QVERIFY(game.undo() && snapshot(game) == states[i - 1]);
            VERIFY_BOARD_CONSISTENT(game.board());
            QVERIFY(!game.undo());
            for (size_t i = 1; i < states.size(); ++i)
                QVERIFY(game.redo() && snapshot(game) == states[i]);
            QVERIFY(!game.redo());
            VERIFY_BOARD_CONSISTENT(game.board());
            QCOMPARE(game.historyUsed(), states.size() > 1);
        }
        qInfo("4000 games, %d moves, %d refused clicks, %d cleared boards, %d over at the start",
              moves, refused, cleared, overAtStart);
        // Both answers of the game-over test occur at the start.
        QVERIFY(moves > 25000 && cleared > 0 && overAtStart > 0);
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

QTEST_GUILESS_MAIN(GameTest)
#include "GameTest.moc"
