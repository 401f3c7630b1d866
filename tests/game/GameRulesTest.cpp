// The rules of one board: new board, lists, hit test, group search, game over,
// refused clicks, falling passes, closing columns, scoring.

#include "GameTestSupport.h"
#include "errors/AppError.h"

#include <QtTest>
#include <set>

using namespace tavro;
using namespace tavro::test;

class GameRulesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors, 0); }
    void newBoardFillsTheGridInCreationOrder() {
        Play p(settingsFor(4, 3));
        auto& [s, v, owner, g] = p;
        g.newBoard(7);
        const Board& b = g.board();
        QCOMPARE(std::tuple(v.events.first(), v.events.size(), g.blocksLeft(), g.score()),
                 std::tuple(QString("sound 100"), qsizetype(1 + 12), 12, int64_t(0)));
        QVERIFY(!g.isMoving() && !g.gameFinished());
        for (int index = 0; index < 12; ++index) {
            const int col = index % 4, row = index / 4;
            const BlockRec& r = b.block(index);
            QVERIFY(r.type >= 0 && r.type < 4 && r.present && !r.marked);
            QCOMPARE(std::pair(int(b.GetBlockFromCoord(col, row)), int(b.LiveBlocks().at(index))),
                     std::pair(index, index));
            QCOMPARE(v.events[1 + index],
                     QStringLiteral("draw %1 %2 %3").arg(r.type).arg(col * 50).arg(row * 50));
        }

        // The same seed deals the same board; without sound nothing is played.
        s = settingsFor(12, 7);
        s.Sound = false;
        v.events.clear();
        g.newBoard(42);
        QVERIFY(v.only("sound").isEmpty());
        const QStringList first = picture(g.board());
        g.newBoard(42);
        QCOMPARE(picture(g.board()), first);
        g.newBoard(43);
        QVERIFY(picture(g.board()) != first);
        // Every one of the first BlockTypes types is dealt, no other.
        for (s.BlockTypes = 3; s.BlockTypes <= 6; ++s.BlockTypes) {
            g.newBoard(s.BlockTypes);
            std::set<int> types;
            for (int i = 0; i < g.totalBlocks(); ++i)
                types.insert(g.board().block(i).type);
            QCOMPARE(int(types.size()), int(s.BlockTypes));
            QVERIFY(*types.begin() == 0 && *types.rbegin() == s.BlockTypes - 1);
        }
    }
    // The cell count is a 16-bit number: 32,767 cells are a board, one more
    // is reported as an overflow and leaves the board as it was.
    void boardSizeLimit() {
        Play p(settingsFor(151, 217)); // 32,767 cells
        p.v.record = false;
        p.g.newBoard(1);
        QCOMPARE(std::pair(p.g.totalBlocks(), p.g.blocksLeft()), std::pair(32767, 32767));
        QCOMPARE(reportedErrors, 0);
        p.s = settingsFor(128, 256); // 32,768 cells
        Failure failure;
        const ErrorHandler previous = setErrorHandler([&](auto&&, auto&&, const Failure& f) {
            failure = f;
            return int(Continue::Leave);
        });
        p.g.newBoard(1);
        setErrorHandler(previous);
        QCOMPARE(failure.number, int(AppError::Overflow));
        QCOMPARE(p.g.totalBlocks(), 32767);
    }
    void blockListKeepsOrderAndRemovesByBlock() {
        BlockList list, group;
        for (int16_t i : {5, 0, 3, 1, 4, 2})
            list.append(i);
        list.remove(3);
        for (int16_t i : {4, 5})
            group.append(i);
        list.removeAll(group);
        QCOMPARE(std::vector<int16_t>(list.begin(), list.end()), (std::vector<int16_t>{0, 1, 2}));
        list.append(3);
        QCOMPARE(std::pair(list.at(3), list.count()), std::pair(int16_t(3), 4));
        QVERIFY(list.contains(3) && !list.contains(4) && !list.contains(-1));
        const auto number = [](auto&& call) {
            try {
                call();
            } catch (const AppError& e) {
                return e.number();
            }
            return 0;
        };
        QCOMPARE(number([&] { list.remove(4); }), int(AppError::InvalidCall));
        QCOMPARE(number([&] { list.removeAll(group); }), int(AppError::InvalidCall));
        QCOMPARE(number([&] { list.append(2); }), int(AppError::KeyAlreadyUsed));
        QCOMPARE(number([&] { list.at(4); }), int(AppError::SubscriptOutOfRange));
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
        QCOMPARE(b.GetBlockUnderMouse(centre(1), centre(0)), b.GetBlockFromCoord(1, 0));

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
    void gameOver_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("btc");
        QTest::addColumn<bool>("over");
        QTest::newRow("1x1") << QStringList{"0"} << 2 << true;
        QTest::newRow("none needed") << QStringList{"0"} << 0 << false;
        QTest::newRow("diagonal pair only") << QStringList{"01", "10"} << 2 << true;
        QTest::newRow("row without pair") << QStringList{"0101010"} << 2 << true;
        QTest::newRow("one pair") << QStringList{"01", "11"} << 2 << false;
        QTest::newRow("column of two") << QStringList{"4", "4"} << 2 << false;
        QTest::newRow("pairs with three needed") << QStringList{"0112", "3442"} << 3 << true;
        QTest::newRow("one group of three") << QStringList{"0112", "3412"} << 3 << false;
        QTest::newRow("L of four") << QStringList{"0012", "2003"} << 4 << false;
        QTest::newRow("three of four needed") << QStringList{"0012", "2013"} << 4 << true;
    }
    void gameOver() {
        QFETCH(QStringList, rows);
        QFETCH(int, btc);
        QFETCH(bool, over);
        Play p(rows, btc);
        QCOMPARE(p.g.isGameOver(), over);
        for (int i = 0; i < p.g.board().blockCount(); ++i)
            QVERIFY(!p.g.board().block(i).marked);
        if (over) { // a click on a finished board does nothing
            p.click(0, 0);
            QCOMPARE(p.v.events, QStringList());
        }
    }
    void refusedAndIgnoredClicks() {
        Play p({"0133", "2244"});
        auto& [s, v, owner, g] = p;
        const QStringList before = picture(g.board());
        p.click(0, 0); // lone block
        QCOMPARE(v.events, QStringList({"sound 102", "sound 103"}));
        QCOMPARE(p.state(), before.join('/') + " 0");
        for (int i = 0; i < g.board().blockCount(); ++i)
            QVERIFY(!g.board().block(i).marked);

        p.click(0, 1); // the pair 22
        QCOMPARE(p.state(), "..33/0144 5");

        // An empty cell, left of the board, x = Cols * 50, y = Rows * 50, above it.
        for (QPointF at : {QPointF(centre(0), centre(0)),
                           {-25, centre(0)},
                           {200, centre(1)},
                           {centre(1), 100},
                           {centre(2), -0.5}}) {
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

        Play three({"0112", "3111"}, 3);
        three.click(0, 1); // lone 3
        three.click(3, 0); // lone 2
        QCOMPARE(three.v.only("sound"),
                 QStringList({"sound 102", "sound 103", "sound 102", "sound 103"}));
        three.click(2, 1); // five 1s
        QCOMPARE(three.state(), "0.../32.. 26");
    }
    void stackOfThreeFallsOnePassPerBlock() {
        Play p({"13", "23", "13", "00"});
        auto& [s, v, owner, g] = p;
        p.click(1, 0); // the 3s: column 1 keeps its bottom block
        QCOMPARE(picture(g.board()), QStringList({"1.", "2.", "1.", "00"}));
        v.events.clear();

        // SameBlocks holds 7 (1,3) then 6 (0,3), erased in that order. The stack
        // falls one block per pass, lowest first; a pass without a drop ends the
        // falling, then the closing phase examines column 0.
        p.click(0, 3);
        QCOMPARE(
            v.events.join(','),
            QStringLiteral("sound 102,erase 50 150 50 150,erase 0 150 0 150,pause 0.02,refresh,"
                           "erase 0 100 0 100,draw 1 0 150,sound 104,pause 0.08,refresh,"
                           "erase 0 50 0 50,draw 2 0 100,sound 107,pause 0.08,refresh,"
                           "erase 0 0 0 0,draw 1 0 50,sound 107,pause 0.08,refresh,"
                           "pause 0.08,refresh,refresh,score 15,left 3,refresh,sound 106,"
                           "highscore"));
        QCOMPARE(p.state(), "../1./2./1. 15");
        QVERIFY(g.gameFinished() && !g.isMoving());
    }
    void holeBelowAFilledHoleDropsTwiceInOnePass_data() {
        QTest::addColumn<int>("clickedRow");
        QTest::addColumn<QString>("fall");
        // Clicked on the upper block, SameBlocks is (lower, upper): the lower hole
        // is looked at before anything has dropped, so the block needs two passes.
        QTest::newRow("upper clicked") << 1
                                       << "erase 0 0 0 0,draw 2 0 50,pause 0.08,erase 0 50 0 50,"
                                          "draw 2 0 100,sound 104,pause 0.08,pause 0.08";
        // Clicked on the lower block, SameBlocks is (upper, lower): the block falls
        // into the upper hole and, in the same pass, on into the lower one.
        QTest::newRow("lower clicked") << 2
                                       << "erase 0 0 0 0,draw 2 0 50,erase 0 50 0 50,draw 2 0 100,"
                                          "sound 104,pause 0.08,pause 0.08";
    }
    void holeBelowAFilledHoleDropsTwiceInOnePass() {
        QFETCH(int, clickedRow);
        QFETCH(QString, fall);
        Play p({"2", "0", "0"});
        auto& [s, v, owner, g] = p;
        p.click(0, clickedRow);
        const QStringList falling =
            v.events.mid(v.events.indexOf("pause 0.02") + 2)
                .filter(QRegularExpression("^(erase|draw|pause|sound 10[47])"));
        QCOMPARE(falling.join(','), fall);
        QCOMPARE(p.state(), "././2 5");
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
                 QStringLiteral("draw 4 100 100,draw 3 150 100,draw 4 150 50,draw 8 150 0,"
                                "draw 4 50 100,draw 3 100 100,draw 4 100 50,draw 8 100 0"));
        const int closing = int(v.events.lastIndexOf("pause 0.08")) + 2;
        QCOMPARE(v.events.mid(closing).count("refresh"), 4 + 1); // Cols - 1, then the score's
        QVERIFY(g.gameFinished());
    }
    void scoringAndClearingBonus() {
        // 20 blocks score 20^2 + 1 = 401 points, times 1.5 for the emptied board.
        const int points = 401, withBonus = 602;
        Play p({QString(20, '5')});
        auto& [s, v, owner, g] = p;
        p.click(0, 0);
        const QString score = QStringLiteral("score %1").arg(points);
        QCOMPARE(v.events.mid(v.events.indexOf(score)),
                 QStringList({score, "left 0", "refresh", "sound 106",
                              QStringLiteral("score %1").arg(withBonus), "highscore"}));
        QCOMPARE(v.only("score").size(), 2);
        QCOMPARE(std::pair(g.score(), g.blocksLeft()), std::pair(int64_t(withBonus), 0));
        QVERIFY(g.gameFinished() && g.isGameOver());
    }
    void clearingBonusRoundsHalvesToEvenAndExceedsSixteenBits() {
        const int64_t bonus[][2] = {{0, 0},         {1, 2},         {5, 8},     {7, 10},
                                    {9, 14},        {100, 150},     {101, 152}, {103, 154},
                                    {32767, 49150}, {99999, 149998}};
        for (const auto& [before, after] : bonus)
            QCOMPARE(Game::clearingBonus(before), after);

        Play p(settingsFor(150, 81, 2, 1)); // one colour
        auto& [s, v, owner, g] = p;
        g.newBoard(5);
        g.picBoard_MouseUp(10, 10);
        // 12150 blocks: 12150^2 + 1 = 147622501, times 1.5 = 221433751.5 -> even.
        QCOMPARE(v.only("score"), QStringList({"score 147622501", "score 221433752"}));
        QCOMPARE(g.score(), int64_t(221433752));
    }
};

QTEST_GUILESS_MAIN(GameRulesTest)
#include "GameRulesTest.moc"
