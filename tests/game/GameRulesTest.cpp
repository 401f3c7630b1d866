// The rules of one board: new board, lists, hit test, group search, refused
// clicks, falling passes, closing columns, scoring and the end of a game.

#include "GameTestSupport.h"
#include "RecordingView.h"
#include "errors/AppError.h"
#include "game/BlockList.h"
#include "game/Game.h"

#include <QtTest>
#include <map>

using namespace tavro;
using namespace tavro::test;

class GameRulesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors(), 0); }
    void newBoardFillsTheGridInCreationOrder();
    void newBoardIsSilentWithoutSoundAndRepeatsItsSeed();
    void newBoardDrawsEveryTypeAboutEquallyOften();
    void tinyBoardIsOverAtOnce();
    void blockListKeepsOrderAndRemovesByKey();
    void gridLookupIsMinusOneOnlyOffTheBoard();
    void hitTestAtCellEdges_data();
    void hitTestAtCellEdges();
    void floodFillOrder_data();
    void floodFillOrder();
    void refusedAndIgnoredClicks();
    void minimumGroupOfThree();
    void stackOfThreeFallsOnePassPerBlock();
    void holeBelowAFilledHoleDropsTwiceInOnePass_data();
    void holeBelowAFilledHoleDropsTwiceInOnePass();
    void emptyColumnsCloseTowardsTheLeft();
    void scoringAndClearingBonus_data();
    void scoringAndClearingBonus();
    void clearingBonusRoundsHalvesToEven();
    void scoreGrowsBeyondSixteenBits();
};

void GameRulesTest::newBoardFillsTheGridInCreationOrder() {
    GameSettings s = settingsFor(4, 3);
    RecordingView v;
    Game g(s, v, v);
    g.newBoard(7);
    const Board& b = g.board();

    QCOMPARE(v.events.first(), QStringLiteral("sound 100"));
    QCOMPARE(v.events.size(), 1 + 12);
    QCOMPARE(g.totalBlocks(), 12);
    QCOMPARE(g.blocksLeft(), 12);
    QCOMPARE(g.score(), 0);
    QVERIFY(!g.isMoving());
    QVERIFY(!g.gameFinished());
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const int index = row * 4 + col;
            QCOMPARE(b.GetBlockFromCoord(col, row), index);
            const BlockRec& r = b.block(index);
            QVERIFY(r.type >= 0 && r.type < 4);
            QCOMPARE(r.present, kTrue);
            QCOMPARE(r.marked, kFalse);
            QCOMPARE(r.key, std::string(1, char('A' + r.type)) + std::to_string(index));
            QCOMPARE(b.LiveBlocks().at(index).index, index);
            QCOMPARE(v.events[1 + index],
                     QStringLiteral("draw %1 %2 %3").arg(r.type).arg(col * 50).arg(row * 50));
        }
}

void GameRulesTest::newBoardIsSilentWithoutSoundAndRepeatsItsSeed() {
    GameSettings s = settingsFor(12, 7);
    s.Sound = 0;
    RecordingView v;
    Game g(s, v, v);
    g.newBoard(42);
    QVERIFY(v.only("sound").isEmpty());
    const QStringList first = picture(g.board());
    g.newBoard(42);
    QCOMPARE(picture(g.board()), first);
    g.newBoard(43);
    QVERIFY(picture(g.board()) != first);
}

void GameRulesTest::newBoardDrawsEveryTypeAboutEquallyOften() {
    for (int types = 3; types <= 6; ++types) {
        GameSettings s = settingsFor(150, 81, 2, types);
        RecordingView v;
        Game g(s, v, v);
        g.newBoard(); // clock-seeded
        std::map<int, int> counts;
        for (int i = 0; i < g.totalBlocks(); ++i)
            ++counts[g.board().block(i).type];
        QCOMPARE(int(counts.size()), types);
        const double expected = double(g.totalBlocks()) / types;
        for (const auto& [type, count] : counts) {
            QVERIFY(type >= 0 && type < types);
            QVERIFY2(std::abs(count - expected) < expected * 0.1,
                     qPrintable(QString::number(count)));
        }
    }
}

void GameRulesTest::tinyBoardIsOverAtOnce() {
    GameSettings s = settingsFor(1, 1);
    RecordingView v;
    Game g(s, v, v);
    g.newBoard(1);
    QCOMPARE(g.blocksLeft(), 1);
    QCOMPARE(g.board().LiveBlocks().at(0).key.back(), '0');
    QVERIFY(g.isGameOver());
    v.events.clear();
    g.picBoard_MouseUp(25, 25);
    QVERIFY(v.events.isEmpty());
}

void GameRulesTest::blockListKeepsOrderAndRemovesByKey() {
    BlockList list;
    for (int16_t i = 0; i < 6; ++i)
        list.append(i, blockKey(i % 3, i));
    list.remove("B4");
    list.remove("A0");
    QCOMPARE(list.count(), 4);
    QStringList keys;
    for (const BlockList::Entry& e : list)
        keys << QString::fromStdString(e.key);
    QCOMPARE(keys, QStringList({"B1", "C2", "A3", "C5"}));
    QCOMPARE(list.at(2).index, 3);
    list.remove("C5");
    list.append(9, "A9");
    QCOMPARE(list.at(3).key, std::string("A9"));

    // A key must match the entry exactly: right index, wrong letter fails.
    QVERIFY(!list.contains("A1"));
    for (const char* missing : {"A1", "B4", "", "B", "B1x", "B-1", "Z99999"}) {
        try {
            list.remove(missing);
            QFAIL(missing);
        } catch (const AppError& e) {
            QCOMPARE(e.number(), int(AppError::InvalidCall));
        }
    }
    QCOMPARE(list.count(), 4);
    QVERIFY_THROWS_EXCEPTION(AppError, list.at(4));
    QVERIFY_THROWS_EXCEPTION(AppError, list.append(2, "C2"));
}

void GameRulesTest::gridLookupIsMinusOneOnlyOffTheBoard() {
    GameSettings s = settingsFor(3, 2);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {"011", "233"});
    g.picBoard_MouseUp(centre(1), centre(0)); // removes the 1-pair: two empty cells
    const Board& b = g.board();
    QCOMPARE(b.GetBlockFromCoord(-1, 0), -1);
    QCOMPARE(b.GetBlockFromCoord(3, 0), -1);
    QCOMPARE(b.GetBlockFromCoord(0, -1), -1);
    QCOMPARE(b.GetBlockFromCoord(0, 2), -1);
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 2; ++row)
            QVERIFY(b.GetBlockFromCoord(col, row) >= 0);
    QVERIFY(!b.block(b.GetBlockFromCoord(1, 0)).present);
    QCOMPARE(b.GetBlockUnderMouse(centre(1), centre(0)), b.GetBlockFromCoord(1, 0));
}

void GameRulesTest::hitTestAtCellEdges_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("expected");
    // Board of 4 x 3 cells: 200 x 150 pixels, index = row * 4 + col.
    QTest::newRow("origin") << 0.0 << 0.0 << 0;
    QTest::newRow("49.9 stays in column 0") << 49.9 << 0.0 << 0;
    QTest::newRow("50 is column 1") << 50.0 << 0.0 << 1;
    QTest::newRow("49.9 stays in row 0") << 0.0 << 49.9 << 0;
    QTest::newRow("50 is row 1") << 0.0 << 50.0 << 4;
    QTest::newRow("last pixel") << 199.9 << 149.9 << 11;
    QTest::newRow("x = Cols * 50") << 200.0 << 10.0 << -1;
    QTest::newRow("y = Rows * 50") << 10.0 << 150.0 << -1;
    QTest::newRow("negative x") << -0.1 << 10.0 << -1;
    QTest::newRow("negative y") << 10.0 << -0.1 << -1;
    QTest::newRow("far away") << -5000.0 << 9000.0 << -1;
    QTest::newRow("not a number") << std::nan("") << 10.0 << -1;
}

void GameRulesTest::hitTestAtCellEdges() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, expected);
    GameSettings s = settingsFor(4, 3);
    RecordingView v;
    Game g(s, v, v);
    g.newBoard(3);
    QCOMPARE(g.board().GetBlockUnderMouse(x, y), expected);
}

void GameRulesTest::floodFillOrder_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("pair clicked on the left") << QStringList{"00"} << 0 << QList<int>{1, 0};
    QTest::newRow("pair clicked on the right") << QStringList{"00"} << 1 << QList<int>{0, 1};
    QTest::newRow("lone block") << QStringList{"01", "10"} << 0 << QList<int>{};
    QTest::newRow("diagonal is no neighbour") << QStringList{"01", "10"} << 1 << QList<int>{};
    // The right branch (which comes back through the start block and goes on
    // down the column) is searched completely before the lower neighbour.
    QTest::newRow("L shape") << QStringList{"000", "011", "011"} << 0 << QList<int>{1, 0, 3, 6, 2};
    QTest::newRow("ring") << QStringList{"000", "010", "000"} << 4 << QList<int>{};
    QTest::newRow("ring from the top middle")
        << QStringList{"000", "010", "000"} << 1 << QList<int>{0, 1, 2, 5, 8, 7, 6, 3};
}

void GameRulesTest::floodFillOrder() {
    QFETCH(QStringList, rows);
    QFETCH(int, start);
    QFETCH(QList<int>, expected);
    GameSettings s = settingsFor(1, 1);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, rows);
    Board board = g.board();
    board.FindSameBlocks(static_cast<int16_t>(start));
    QList<int> found;
    for (const BlockList::Entry& e : board.SameBlocks())
        found << e.index;
    QCOMPARE(found, expected);
    for (int i = 0; i < board.blockCount(); ++i)
        QCOMPARE(bool(board.block(i).marked), expected.contains(i));
}

void GameRulesTest::refusedAndIgnoredClicks() {
    GameSettings s = settingsFor(1, 1);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {"0133", "2244"});
    const QStringList before = picture(g.board());

    g.picBoard_MouseUp(centre(0), centre(0)); // lone block
    QCOMPARE(v.events, QStringList({"sound 102", "sound 103"}));
    QCOMPARE(picture(g.board()), before);
    QCOMPARE(g.score(), 0);
    for (int i = 0; i < g.board().blockCount(); ++i)
        QCOMPARE(g.board().block(i).marked, kFalse);
    QVERIFY(!g.isMoving());

    g.picBoard_MouseUp(centre(0), centre(1)); // the pair 22
    QCOMPARE(picture(g.board()), QStringList({"..33", "0144"}));
    QCOMPARE(g.score(), 5);

    const QList<QPair<double, double>> nothingThere = {
        {centre(0), centre(0)}, // empty cell
        {-25, centre(0)},       // released left of the board
        {200, centre(1)},       // x = Cols * 50
        {centre(1), 100},       // y = Rows * 50
        {centre(2), -0.5}};
    for (const auto& [x, y] : nothingThere) {
        v.events.clear();
        g.picBoard_MouseUp(x, y);
        QCOMPARE(v.events, QStringList({"sound 102"}));
        QVERIFY(!g.isMoving());
    }

    v.events.clear();
    s.Sound = 0;
    g.picBoard_MouseUp(centre(1), centre(1)); // lone 1, silent now
    QVERIFY(v.events.isEmpty());
    s.Sound = -1;

    g.picBoard_MouseUp(centre(2), centre(0));
    g.picBoard_MouseUp(centre(2), centre(1));
    QCOMPARE(picture(g.board()), QStringList({"....", "01.."}));
    QVERIFY(g.gameFinished());
    QCOMPARE(g.score(), 15); // blocks are left: no bonus

    v.events.clear();
    g.picBoard_MouseUp(centre(0), centre(1)); // finished board
    QVERIFY(v.events.isEmpty());
}

void GameRulesTest::minimumGroupOfThree() {
    GameSettings s = settingsFor(1, 1, 3);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {"0112", "3111"});
    g.picBoard_MouseUp(centre(0), centre(1)); // lone 3
    g.picBoard_MouseUp(centre(3), centre(0)); // lone 2
    QCOMPARE(v.only("sound"), QStringList({"sound 102", "sound 103", "sound 102", "sound 103"}));
    g.picBoard_MouseUp(centre(2), centre(1)); // five 1s
    QCOMPARE(g.score(), 26);
    QCOMPARE(picture(g.board()), QStringList({"0...", "32.."}));

    load(g, s, {"0112", "3442"});
    QVERIFY(g.isGameOver()); // only pairs left
    load(g, s, {"0112", "3412"});
    QVERIFY(!g.isGameOver());
    g.picBoard_MouseUp(centre(2), centre(1));
    QCOMPARE(g.score(), 10);
}

void GameRulesTest::stackOfThreeFallsOnePassPerBlock() {
    GameSettings s = settingsFor(1, 1);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {"13", "23", "13", "00"});
    g.picBoard_MouseUp(centre(1), centre(0)); // the 3s: column 1 keeps its bottom block
    QCOMPARE(picture(g.board()), QStringList({"1.", "2.", "1.", "00"}));
    v.events.clear();

    // The pair 7 (1,3), 6 (0,3): SameBlocks holds 7 then 6. Column 0's stack
    // of three falls one block per pass, the lowest first.
    g.picBoard_MouseUp(centre(0), centre(3));
    const QStringList expected = {"sound 102",         "erase 50 150 50 150",
                                  "erase 0 150 0 150", // the group, in SameBlocks order
                                  "pause 0.02",        "refresh",
                                  "erase 0 100 0 100", "draw 1 0 150",
                                  "sound 104",         "pause 0.08",
                                  "refresh",           "erase 0 50 0 50",
                                  "draw 2 0 100",      "sound 107",
                                  "pause 0.08",        "refresh",
                                  "erase 0 0 0 0",     "draw 1 0 50",
                                  "sound 107",         "pause 0.08",
                                  "refresh",           "pause 0.08",
                                  "refresh", // the pass without a drop
                                  "refresh", // column 0 examined by the closing phase
                                  "score 15",          "left 3",
                                  "refresh",           "sound 106",
                                  "highscore"};
    QCOMPARE(v.events, expected);
    QCOMPARE(picture(g.board()), QStringList({"..", "1.", "2.", "1."}));
    QVERIFY(g.gameFinished());
    QVERIFY(!g.isMoving());
    QCOMPARE(g.score(), 15);
}

void GameRulesTest::holeBelowAFilledHoleDropsTwiceInOnePass_data() {
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<int>("passes");
    QTest::addColumn<QStringList>("fall");
    // Clicked on the upper block, SameBlocks is (lower, upper): the lower hole
    // is looked at before anything has dropped, so the block needs two passes.
    QTest::newRow("upper clicked")
        << 1 << 3 << QStringList{"erase 0 0 0 0", "draw 2 0 50", "pause 0.08", "erase 0 50 0 50",
                                 "draw 2 0 100",  "sound 104",   "pause 0.08", "pause 0.08"};
    // Clicked on the lower block, SameBlocks is (upper, lower): the block falls
    // into the upper hole and, in the same pass, on into the lower one.
    QTest::newRow("lower clicked")
        << 2 << 2 << QStringList{"erase 0 0 0 0", "draw 2 0 50", "erase 0 50 0 50", "draw 2 0 100",
                                 "sound 104",     "pause 0.08",  "pause 0.08"};
}

void GameRulesTest::holeBelowAFilledHoleDropsTwiceInOnePass() {
    QFETCH(int, clickedRow);
    QFETCH(int, passes);
    QFETCH(QStringList, fall);
    GameSettings s = settingsFor(1, 1);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {"2", "0", "0"});
    g.picBoard_MouseUp(centre(0), centre(clickedRow));
    QCOMPARE(v.only("pause 0.08").size(), passes);
    QStringList falling;
    const int from = int(v.events.indexOf("pause 0.02")) + 2;
    for (const QString& e : v.events.mid(from))
        if (e.startsWith("erase") || e.startsWith("draw") || e.startsWith("pause") ||
            e == "sound 104" || e == "sound 107")
            falling << e;
    QCOMPARE(falling, fall);
    QCOMPARE(picture(g.board()), QStringList({".", ".", "2"}));
    QCOMPARE(g.score(), 5);
}

void GameRulesTest::emptyColumnsCloseTowardsTheLeft() {
    GameSettings s = settingsFor(1, 1);
    s.Background = 0; // plain colour: erasing copies the top-left square
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {"10068", "20064", "10043"});
    g.picBoard_MouseUp(centre(3), centre(0)); // column 3 keeps one block
    QCOMPARE(picture(g.board()), QStringList({"100.8", "200.4", "10043"}));
    v.events.clear();

    g.picBoard_MouseUp(centre(1), centre(0)); // empties columns 1 and 2
    QCOMPARE(picture(g.board()), QStringList({"1.8..", "2.4..", "143.."}));
    for (const QString& e : v.only("erase"))
        QVERIFY2(e.startsWith("erase 0 0 "), qPrintable(e));
    // Closing column 2 moves columns 3 and 4 left, bottom row first; closing
    // column 1 moves them again. Every block is erased before it is drawn.
    const QStringList moves = v.only("draw");
    QCOMPARE(moves,
             QStringList({"draw 4 100 100", "draw 3 150 100", "draw 4 150 50", "draw 8 150 0",
                          "draw 4 50 100", "draw 3 100 100", "draw 4 100 50", "draw 8 100 0"}));
    const int closing = int(v.events.lastIndexOf("pause 0.08")) + 2;
    QCOMPARE(v.events.mid(closing).count("refresh"), 4 + 1); // Cols - 1, then the score's
    QVERIFY(g.gameFinished());
}

void GameRulesTest::scoringAndClearingBonus_data() {
    QTest::addColumn<int>("groupSize");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("withBonus");
    QTest::newRow("2") << 2 << 5 << 8;
    QTest::newRow("3") << 3 << 10 << 15;
    QTest::newRow("4") << 4 << 17 << 26;
    QTest::newRow("5") << 5 << 26 << 39;
    QTest::newRow("10") << 10 << 101 << 152;
    QTest::newRow("20") << 20 << 401 << 602;
}

void GameRulesTest::scoringAndClearingBonus() {
    QFETCH(int, groupSize);
    QFETCH(int, points);
    QFETCH(int, withBonus);
    GameSettings s = settingsFor(1, 1);
    RecordingView v;
    Game g(s, v, v);
    load(g, s, {QString(groupSize, '5')});
    g.picBoard_MouseUp(centre(0), centre(0));
    QCOMPARE(v.only("score"), QStringList({QStringLiteral("score %1").arg(points),
                                           QStringLiteral("score %1").arg(withBonus)}));
    QCOMPARE(v.events.mid(v.events.indexOf(QStringLiteral("score %1").arg(points))),
             QStringList({QStringLiteral("score %1").arg(points), "left 0", "refresh", "sound 106",
                          QStringLiteral("score %1").arg(withBonus), "highscore"}));
    QCOMPARE(g.score(), withBonus);
    QCOMPARE(g.blocksLeft(), 0);
    QVERIFY(g.gameFinished());
    QVERIFY(g.isGameOver());
}

void GameRulesTest::clearingBonusRoundsHalvesToEven() {
    const QList<QPair<int64_t, int64_t>> table = {
        {0, 0},     {1, 2},     {5, 8},     {7, 10},        {9, 14},
        {100, 150}, {101, 152}, {103, 154}, {32767, 49150}, {99999, 149998}};
    for (const auto& [before, after] : table)
        QCOMPARE(Game::clearingBonus(before), after);
}

void GameRulesTest::scoreGrowsBeyondSixteenBits() {
    GameSettings s = settingsFor(150, 81, 2, 1); // one colour
    RecordingView v;
    Game g(s, v, v);
    g.newBoard(5);
    g.picBoard_MouseUp(10, 10);
    // 12150 blocks: 12150^2 + 1 = 147622501, times 1.5 = 221433751.5 -> even.
    QCOMPARE(v.only("score"), QStringList({"score 147622501", "score 221433752"}));
    QCOMPARE(g.score(), int64_t(221433752));
}

QTEST_GUILESS_MAIN(GameRulesTest)
#include "GameRulesTest.moc"
