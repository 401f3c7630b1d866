// Window events run while a move waits: a new board, the window's end, the
// game's destruction or another click may come before the wait is over. The
// waiting move must go away, or go on, without touching anything it should
// not. Run under the address sanitizer too.

#include "GameTestSupport.h"

#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

enum Interruption { NewBoard, Abandon, Destroy, Click, OtherMove };

// Both columns hold a stack of three over the removed pair: the move waits
// once after erasing and four times while falling, and then the game is over.
const QStringList kFallingBoard = {"14", "23", "15", "00"};

} // namespace

class GameHostileTimingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors, 0); }
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
                const QStringList events = t.v.events, board = picture(t.owner->board());
                switch (action) {
                case NewBoard: // a window resize: a bigger board, so stale cell references would
                               // show
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
                    t.owner->picBoard_MouseUp(centre(1), centre(3));
                    QCOMPARE(t.v.events, events);
                    QCOMPARE(picture(t.owner->board()), board);
                    break;
                case OtherMove:
                    t.owner->loadBoard(2, 1, {4, 4});
                    QVERIFY(!t.v.pending); // the old move's wait has been stopped
                    t.owner->picBoard_MouseUp(centre(0), centre(0)); // the new board's whole move
                    while (t.v.pending)
                        t.v.endPause();
                    QCOMPARE(t.v.events.last(), QStringLiteral("highscore"));
                }
                eventsAfterAction = t.v.events.size();
                // Only a move that goes on still waits for its timer.
                QCOMPARE(bool(t.v.pending), action == Click);
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
        t.v.onHighscore = [&] { t.owner->newBoard(3); };
        t.click(0, 3);
        QCOMPARE(t.owner->score(), 0);
        QVERIFY(!t.owner->gameFinished() && !t.owner->isMoving());
        VERIFY_BOARD_CONSISTENT(t.owner->board());
    }
};

QTEST_GUILESS_MAIN(GameHostileTimingTest)
#include "GameHostileTimingTest.moc"
