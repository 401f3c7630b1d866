// The rules of one board: new boards from their numbers, lists, hit test,
// refused clicks, falling, closing columns, scoring; moves interrupted while
// they wait; undo and redo. The game-over test and random play are checked
// in test_game_soak, the whole event stream of many games in test_replay_golden.

#include "GameTestSupport.h"
#include "errors/AppError.h"
#include "game/GameNumber.h"

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
            QVERIFY(r.present && !r.marked && b.LiveBlocks().at(i) == i);
            QCOMPARE(b.GetBlockFromCoord(i % 12, i / 12), i);
            QCOMPARE(v.events[1 + i],
                     QStringLiteral("draw %1 %2 %3").arg(r.type).arg(i % 12 * 50).arg(i / 12 * 50));
        }
        s = settingsFor(5, 5, 2, 6);
        g.newBoard(4294967295u);
        QCOMPARE(picture(g.board()).join(""), "2250452400202141324555542");
        g.newBoard();
        const uint32_t number = g.gameNumber();
        const QStringList board = picture(g.board());
        v.events.clear();
        s.Sound = false;
        g.newBoard(number);
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
        int failure = 0;
        const ErrorHandler previous = setErrorHandler([&](auto&&, auto&&, const Failure& f) {
            failure = f.number;
            return int(Continue::Leave);
        });
        g.newBoard(1);
        setErrorHandler(previous);
        QCOMPARE(std::pair(failure, g.totalBlocks()), std::pair(int(AppError::Overflow), 32767));
    }

    void blockListKeepsOrderAndRefusesMisuse() {
        BlockList list, group;
        for (int16_t i : {5, 0, 3, 1, 4, 2})
            list.append(i);
        list.remove(3);
        for (int16_t i : {4, 5})
            group.append(i);
        list.removeAll(group);
        list.append(3);
        QCOMPARE(std::vector<int16_t>(list.begin(), list.end()),
                 (std::vector<int16_t>{0, 1, 2, 3}));
        QCOMPARE(std::pair(list.at(3), list.count()), std::pair(int16_t(3), 4));
        QVERIFY(list.contains(3) && !list.contains(4) && !list.contains(-1));
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
        for (int i = 0; i < g.board().blockCount(); ++i)
            QVERIFY(!g.board().block(i).marked);
        p.click(0, 1); // the pair 22
        QCOMPARE(p.state(), "..33/0144 5");
        // An empty cell, left of the board, x = Cols * 50, y = Rows * 50, above it.
        for (QPointF at : {QPointF(25, 25), {-25, 25}, {200, 75}, {75, 100}, {125, -0.5}}) {
            v.events.clear();
            g.picBoard_MouseUp(at.x(), at.y());
            QCOMPARE(v.events, QStringList({"sound 102"}));
            QVERIFY(!g.isMoving());
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

    void emptyColumnsCloseTowardsTheLeft() {
        Play p({"10068", "20064", "10043"});
        auto& [s, v, owner, g] = p;
        s.Background = false; // plain colour: erasing copies the top-left square
        p.click(3, 0);        // column 3 keeps one block
        QCOMPARE(picture(g.board()), QStringList({"100.8", "200.4", "10043"}));
        v.events.clear();
        p.click(1, 0); // empties columns 1 and 2
        QCOMPARE(picture(g.board()), QStringList({"1.8..", "2.4..", "143.."}));
        QCOMPARE(v.only("erase"), v.only("erase 0 0 "));
        // Closing column 2 moves columns 3 and 4 left, bottom row first; closing
        // column 1 moves them again.
        QCOMPARE(v.only("draw").join(','),
                 "draw 4 100 100,draw 3 150 100,draw 4 150 50,draw 8 150 0,"
                 "draw 4 50 100,draw 3 100 100,draw 4 100 50,draw 8 100 0");
        const int closing = int(v.events.lastIndexOf("pause 0.08")) + 2;
        QCOMPARE(v.events.mid(closing).count("refresh"), 4 + 1); // Cols - 1, then the score's
        QVERIFY(g.gameFinished());
    }

    void scoreAndClearingBonus() {
        // Halves round to the even neighbour; the score is wider than 16 bits.
        const int64_t bonus[][2] = {{0, 0},  {1, 2},     {5, 8},         {7, 10},
                                    {9, 14}, {101, 152}, {32767, 49150}, {99999, 149998}};
        for (const auto& [before, after] : bonus)
            QCOMPARE(Game::clearingBonus(before), after);
        Play p(settingsFor(150, 81, 2, 1)); // one colour
        auto& [s, v, owner, g] = p;
        g.newBoard(5);
        g.picBoard_MouseUp(10, 10);
        // 12150 blocks: 12150^2 + 1 = 147622501, times 1.5 = 221433751.5 -> even.
        QCOMPARE(v.events.mid(v.events.indexOf("score 147622501")),
                 QStringList({"score 147622501", "left 0", "refresh", "sound 106",
                              "score 221433752", "highscore"}));
        QCOMPARE(std::pair(g.score(), g.blocksLeft()), std::pair(int64_t(221433752), 0));
        QVERIFY(g.gameFinished() && g.isGameOver());
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
        qsizetype eventsAfterAction = -1;
        t.click(0, 3);
        for (int pause = 1; t.v.pending; ++pause) {
            if (pause == atPause) {
                QVERIFY(t.owner->isMoving());
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
                eventsAfterAction = t.v.events.size();
                QCOMPARE(bool(t.v.pending), action == Click); // only a move that goes on waits
            }
            t.v.endPause();
        }
        if (action != Click) // the interrupted move did nothing more
            QCOMPARE(t.v.events.size(), eventsAfterAction);
        if (action == Destroy)
            return;
        QVERIFY(!t.owner->isMoving());
        const bool finished = action == Click || action == OtherMove;
        const int64_t score = action == Click       ? 5
                              : action == OtherMove ? Game::clearingBonus(5)
                                                    : 0;
        QCOMPARE(std::tuple(t.owner->gameFinished(), t.v.highscores, t.owner->score()),
                 std::tuple(finished, finished ? 1 : 0, score));
        // An abandoned move leaves its board as it was mid-move, still consistent.
        VERIFY_BOARD_CONSISTENT(t.owner->board(), action != Abandon);
        if (action != NewBoard)
            return;
        QCOMPARE(t.owner->blocksLeft(), 600);
        t.v.waits = false; // the new board plays its moves to the end
        for (int clicks = 1; !t.owner->isGameOver() && clicks < 2000; ++clicks) {
            const BlockRec& b = liveBlock(t.owner->board(), clicks);
            t.owner->picBoard_MouseUp(b.x + 10, b.y + 10);
        }
        QVERIFY(t.owner->isGameOver());
        VERIFY_BOARD_CONSISTENT(t.owner->board());
    }
    void newBoardInsideTheHighscoreDialog() {
        Play t(kFallingBoard);
        t.v.onHighscore = [&] { t.g.newBoard(3); };
        t.click(0, 3);
        QCOMPARE(t.g.score(), 0);
        QVERIFY(!t.g.gameFinished() && !t.g.isMoving());
        VERIFY_BOARD_CONSISTENT(t.g.board());
    }

    // Random games are taken back and made again in test_game_soak.
    void undoAndRedo() {
        Play p({"1122", "3344"});
        auto& [s, v, owner, g] = p;
        QVERIFY(!g.undo() && !g.redo());
        p.click(0, 0);
        v.events.clear();
        QVERIFY(g.undo());
        QCOMPARE(v.only("score|left"), QStringList({"score 0", "left 8"}));
        QCOMPARE(std::pair(v.only("draw").size(), v.only("sound").size()),
                 std::pair(qsizetype(8), qsizetype(0)));
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
        while (g.history().movesDone() < 300 && !g.isGameOver()) {
            const BlockRec& b = liveBlock(g.board(), random());
            g.picBoard_MouseUp(b.x + 25, b.y + 25);
        }
        QCOMPARE(g.history().movesDone(), size_t(300));
        QVERIFY(g.history().memoryBytes() < 300 * size_t(150 * 81) / 20);
    }
};

QTEST_GUILESS_MAIN(GameTest)
#include "GameTest.moc"
