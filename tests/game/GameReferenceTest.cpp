// The fast game-over test and the explicit-stack flood fill against the
// searches as first written, on thousands of random boards and after moves.

#include "BoardInvariants.h"
#include "GameTestSupport.h"
#include "ReferenceRules.h"
#include "SilentView.h"

#include <QtTest>
#include <random>

using namespace tavro;
using namespace tavro::test;

class GameReferenceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors(), 0); }
    void gameOverMatchesTheReference();
    void floodFillMatchesTheRecursiveFill();
    void handPickedBoards_data();
    void handPickedBoards();
};

namespace {

bool anyPresentMarked(const Board& board) {
    for (int i = 0; i < board.blockCount(); ++i)
        if (board.block(i).present && board.block(i).marked)
            return true;
    return false;
}

QString describe(const Board& board) {
    return QStringLiteral("%1x%2 btc %3: %4")
        .arg(board.cols())
        .arg(board.rows())
        .arg(board.blocksToClick())
        .arg(picture(board).join('/'));
}

// Compares the game's IsGameOver with the reference on a copy of the board.
void compareGameOver(const Game& game) {
    const Board& board = game.board();
    Board copy = board;
    const bool expected = referenceIsGameOver(copy);
    QVERIFY2(!anyPresentMarked(copy), "reference left marks");
    QVERIFY2(board.IsGameOver() == expected, qPrintable(describe(board)));
    QVERIFY(!anyPresentMarked(board));
}

} // namespace

void GameReferenceTest::gameOverMatchesTheReference() {
    std::mt19937 random(20240611);
    SilentView view;
    int boards = 0;
    int movesChecked = 0;
    int overAtStart = 0;
    for (int cols = 1; cols <= 10; ++cols)
        for (int rows = 1; rows <= 8; ++rows)
            for (int types = 3; types <= 6; ++types)
                for (int btc = 0; btc <= 5; ++btc) {
                    GameSettings s = settingsFor(cols, rows, btc, types);
                    Game game(s, view, view);
                    game.newBoard(static_cast<uint32_t>(random()));
                    ++boards;
                    compareGameOver(game);
                    overAtStart += game.isGameOver() ? 1 : 0;
                    // Random clicks on present blocks until the game ends.
                    for (int click = 0; click < 40 && !game.isGameOver(); ++click) {
                        const BlockList& live = game.board().LiveBlocks();
                        const BlockRec& b =
                            game.board().block(live.at(int(random() % live.count())).index);
                        game.picBoard_MouseUp(b.x + 1, b.y + 1);
                        compareGameOver(game);
                        ++movesChecked;
                    }
                    if (QTest::currentTestFailed())
                        return;
                }
    QVERIFY(boards >= 1900);
    QVERIFY(movesChecked > 10000);
    QVERIFY(overAtStart > 0 && overAtStart < boards); // both answers occur
}

void GameReferenceTest::floodFillMatchesTheRecursiveFill() {
    std::mt19937 random(77);
    SilentView view;
    for (int round = 0; round < 3000; ++round) {
        const int cols = 1 + int(random() % 14);
        const int rows = 1 + int(random() % 10);
        GameSettings s = settingsFor(cols, rows, 2, 2 + int(random() % 3));
        Game game(s, view, view);
        game.newBoard(static_cast<uint32_t>(random()));
        for (int move = 0; move < 3; ++move) {
            const BlockList& live = game.board().LiveBlocks();
            if (live.isEmpty())
                break;
            const int16_t start = live.at(int(random() % live.count())).index;
            Board fast = game.board();
            Board slow = game.board();
            fast.SameBlocks().clear();
            slow.SameBlocks().clear();
            fast.FindSameBlocks(start);
            referenceFindSameBlocks(slow, start);
            QCOMPARE(fast.SameBlocks().count(), slow.SameBlocks().count());
            for (int i = 0; i < fast.SameBlocks().count(); ++i)
                QCOMPARE(fast.SameBlocks().at(i).key, slow.SameBlocks().at(i).key);
            for (int i = 0; i < fast.blockCount(); ++i)
                QCOMPARE(fast.block(i).marked, slow.block(i).marked);
            const BlockRec& b = game.board().block(start);
            game.picBoard_MouseUp(b.x + 49.5, b.y + 49.5);
        }
    }
}

void GameReferenceTest::handPickedBoards_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("btc");
    QTest::addColumn<bool>("over");
    QTest::newRow("diagonal pair only") << QStringList{"01", "10"} << 2 << true;
    QTest::newRow("one pair") << QStringList{"01", "11"} << 2 << false;
    QTest::newRow("pairs with three needed") << QStringList{"0011", "2233"} << 3 << true;
    QTest::newRow("one group of three") << QStringList{"0012", "2033"} << 3 << false;
    QTest::newRow("L of four") << QStringList{"0012", "2003"} << 4 << false;
    QTest::newRow("three of four needed") << QStringList{"0012", "2013"} << 4 << true;
    QTest::newRow("1x1") << QStringList{"0"} << 2 << true;
    QTest::newRow("column of two") << QStringList{"4", "4"} << 2 << false;
    QTest::newRow("row without pair") << QStringList{"0101010"} << 2 << true;
}

void GameReferenceTest::handPickedBoards() {
    QFETCH(QStringList, rows);
    QFETCH(int, btc);
    QFETCH(bool, over);
    GameSettings s = settingsFor(1, 1, btc);
    SilentView view;
    Game game(s, view, view);
    load(game, s, rows);
    QCOMPARE(game.isGameOver(), over);
    compareGameOver(game);
}

QTEST_GUILESS_MAIN(GameReferenceTest)
#include "GameReferenceTest.moc"
