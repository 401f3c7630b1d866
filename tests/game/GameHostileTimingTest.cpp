// Window events run inside a move's waits: a new board, the window's end, the
// game's destruction or another click may happen there. The waiting move must
// return without touching anything. Run under the address sanitizer too.

#include "BoardInvariants.h"
#include "GameTestSupport.h"
#include "RecordingView.h"

#include <QtTest>
#include <memory>

using namespace tavro;
using namespace tavro::test;

class GameHostileTimingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors(), 0); }
    void newBoardInAnyPause_data();
    void newBoardInAnyPause();
    void abandonMoveInAnyPause_data();
    void abandonMoveInAnyPause();
    void gameDestroyedInAnyPause_data();
    void gameDestroyedInAnyPause();
    void clickDuringAMoveIsIgnored();
    void movePlayedOnANewBoardInsideAPause();
    void newBoardInsideTheHighscoreDialog();
};

namespace {

// Both columns hold a stack of three over the removed pair: the move waits
// once after erasing and four times while falling, and then the game is over.
const QStringList kFallingBoard = {"14", "23", "15", "00"};
constexpr int kPauses = 5;

void addPauseRows() {
    QTest::addColumn<int>("atPause");
    for (int p = 1; p <= kPauses; ++p)
        QTest::addRow("pause %d", p) << p;
}

struct Setup {
    GameSettings settings = settingsFor(1, 1);
    RecordingView view;
    std::unique_ptr<Game> game = std::make_unique<Game>(settings, view, view);

    Setup() { load(*game, settings, kFallingBoard); }
    void click() { game->picBoard_MouseUp(centre(0), centre(3)); }
};

} // namespace

void GameHostileTimingTest::newBoardInAnyPause_data() {
    addPauseRows();
}

void GameHostileTimingTest::newBoardInAnyPause() {
    QFETCH(int, atPause);
    Setup t;
    int eventsAfterNewBoard = -1;
    t.view.onPause = [&](double) {
        if (t.view.pauses != atPause)
            return;
        // A window resize: a bigger board, so stale cell references would show.
        t.settings.Cols = 30;
        t.settings.Rows = 20;
        t.game->newBoard(11);
        eventsAfterNewBoard = int(t.view.events.size());
    };
    t.click();
    QCOMPARE(t.view.pauses, atPause);
    QCOMPARE(int(t.view.events.size()), eventsAfterNewBoard); // nothing after the new board
    QCOMPARE(t.view.events.last().left(5), QStringLiteral("draw "));
    QVERIFY(!t.game->isMoving());
    QCOMPARE(t.game->score(), 0);
    QCOMPARE(t.game->blocksLeft(), 600);
    const QString broken = boardInvariantViolation(t.game->board());
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    // The new board plays normally.
    t.view.onPause = nullptr;
    const BlockList& live = t.game->board().LiveBlocks();
    int clicks = 0;
    while (!t.game->isGameOver() && clicks++ < 2000) {
        const BlockRec& b = t.game->board().block(live.at(clicks % live.count()).index);
        t.game->picBoard_MouseUp(b.x + 10, b.y + 10);
    }
    QVERIFY(t.game->isGameOver());
    QVERIFY(boardInvariantViolation(t.game->board()).isEmpty());
}

void GameHostileTimingTest::abandonMoveInAnyPause_data() {
    addPauseRows();
}

void GameHostileTimingTest::abandonMoveInAnyPause() {
    QFETCH(int, atPause);
    Setup t;
    int eventsAtAbandon = -1;
    t.view.onPause = [&](double) {
        if (t.view.pauses == atPause) {
            t.game->abandonMove();
            eventsAtAbandon = int(t.view.events.size());
        }
    };
    const int64_t score = t.game->score();
    t.click();
    QCOMPARE(int(t.view.events.size()), eventsAtAbandon);
    QVERIFY(t.view.events.last().startsWith("pause"));
    QVERIFY(!t.game->isMoving());
    QCOMPARE(t.game->score(), score);
    QVERIFY(!t.game->gameFinished());
    // The board is left as it was mid-move, still a consistent model.
    const QString broken = boardInvariantViolation(t.game->board(), false);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

void GameHostileTimingTest::gameDestroyedInAnyPause_data() {
    addPauseRows();
}

void GameHostileTimingTest::gameDestroyedInAnyPause() {
    QFETCH(int, atPause);
    Setup t;
    int eventsAtEnd = -1;
    t.view.onPause = [&](double) {
        if (t.view.pauses == atPause) {
            t.game->abandonMove();
            t.game.reset(); // the window and its game are gone
            eventsAtEnd = int(t.view.events.size());
        }
    };
    t.click();
    QVERIFY(!t.game);
    QCOMPARE(int(t.view.events.size()), eventsAtEnd);
}

void GameHostileTimingTest::clickDuringAMoveIsIgnored() {
    Setup t;
    int ignored = 0;
    t.view.onPause = [&](double) {
        QVERIFY(t.game->isMoving());
        const qsizetype before = t.view.events.size();
        const QStringList board = picture(t.game->board());
        t.game->picBoard_MouseUp(centre(1), centre(3)); // would be a pair if idle
        QCOMPARE(t.view.events.size(), before);
        QCOMPARE(picture(t.game->board()), board);
        ++ignored;
    };
    t.click();
    QCOMPARE(ignored, kPauses);
    QVERIFY(!t.game->isMoving());
    QCOMPARE(t.game->score(), 5);
    QVERIFY(t.game->gameFinished());
}

void GameHostileTimingTest::movePlayedOnANewBoardInsideAPause() {
    Setup t;
    bool nested = false;
    t.view.onPause = [&](double) {
        if (nested)
            return;
        nested = true;
        t.game->loadBoard(2, 1, {4, 4});
        t.game->picBoard_MouseUp(centre(0), centre(0)); // the new board's whole move
    };
    t.click();
    QVERIFY(nested);
    // The inner move cleared its board; the outer one stopped at its first wait.
    QCOMPARE(t.game->score(), Game::clearingBonus(5));
    QCOMPARE(t.view.events.count("highscore"), 1);
    QCOMPARE(t.view.events.last(), QStringLiteral("highscore"));
    QVERIFY(!t.game->isMoving());
    QVERIFY(boardInvariantViolation(t.game->board()).isEmpty());
}

void GameHostileTimingTest::newBoardInsideTheHighscoreDialog() {
    Setup t;
    t.view.onHighscore = [&] { t.game->newBoard(3); };
    t.click();
    QCOMPARE(t.game->score(), 0);
    QVERIFY(!t.game->gameFinished());
    QVERIFY(!t.game->isMoving());
    QVERIFY(boardInvariantViolation(t.game->board()).isEmpty());
}

QTEST_GUILESS_MAIN(GameHostileTimingTest)
#include "GameHostileTimingTest.moc"
