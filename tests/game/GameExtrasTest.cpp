// Game numbers and the move history: boards pinned to their numbers, moves
// taken back and made again in thousands of seeded games, and the history's
// memory on the largest board.

#include "GameTestSupport.h"
#include "game/GameNumber.h"

#include <QtTest>
#include <random>

using namespace tavro;
using namespace tavro::test;

namespace {

struct Snapshot {
    BoardCells cells;
    int64_t score;
    int left;
    bool finished;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Game& g) {
    return {Game::cellsOf(g.board()), g.score(), g.blocksLeft(), g.gameFinished()};
}

// Clicks random live blocks until the game ends or `limit` moves were made;
// returns the state before the first move and after each one.
std::vector<Snapshot> playRandomly(Play& play, std::mt19937& random, size_t limit) {
    std::vector<Snapshot> states{snapshot(play.g)};
    while (!play.g.isGameOver() && play.g.history().movesDone() < limit) {
        const BlockRec& b = liveBlock(play.g.board(), random());
        const size_t before = play.g.history().movesDone();
        play.g.picBoard_MouseUp(b.x + 25, b.y + 25);
        if (play.g.history().movesDone() != before)
            states.push_back(snapshot(play.g));
    }
    return states;
}

} // namespace

class GameExtrasTest : public QObject {
    Q_OBJECT

private slots:
    void numbersArePinnedToBoards() {
        // A change of the generator or its mapping changes these boards.
        const auto text = [](uint32_t n, int cols, int rows, int types) {
            QString s;
            for (int16_t t : GameNumber::boardTypes(n, cols, rows, types))
                s += QChar('0' + t);
            return s;
        };
        QCOMPARE(text(0, 12, 7, 4), QStringLiteral("310301030313222213033231321123300031101120"
                                                   "003301103300320332310301120233133303312101"));
        QCOMPARE(text(1, 12, 7, 4), QStringLiteral("223113321312121023230010102203221112223232"
                                                   "023310331013102033203221002003322123302013"));
        QCOMPARE(text(4294967295u, 5, 5, 6), QStringLiteral("2250452400202141324555542"));
        QCOMPARE(text(123456789, 10, 3, 3), QStringLiteral("010102221121100000112112100210"));
    }

    void newBoardIsMadeFromItsNumber() {
        Play play(settingsFor(12, 7, 2, 5));
        play.g.newBoard(4242);
        QCOMPARE(play.g.gameNumber(), 4242u);
        const std::vector<int16_t> types = GameNumber::boardTypes(4242, 12, 7, 5);
        for (int i = 0; i < 84; ++i)
            QCOMPARE(play.g.board().block(i).type, types[size_t(i)]);
        play.g.newBoard();
        const uint32_t random = play.g.gameNumber();
        const QStringList board = picture(play.g.board());
        play.g.newBoard(random);
        QCOMPARE(picture(play.g.board()), board);
    }

    void parsesTypedNumbers() {
        QCOMPARE(GameNumber::parse(" 42 "), std::optional<uint32_t>(42));
        QCOMPARE(GameNumber::parse("4294967295"), std::optional<uint32_t>(4294967295u));
        for (const char* bad : {"", "4294967296", "-1", "12a", "1 2", "99999999999"})
            QVERIFY2(!GameNumber::parse(bad), bad);
    }

    void undoAndRedoRoundTrip() {
        std::mt19937 random(2026);
        int games = 0, moves = 0, ended = 0;
        for (; games < 3000; ++games) {
            GameSettings s = settingsFor(1 + int(random() % 20), 1 + int(random() % 14),
                                         2 + int(random() % 3), 2 + int(random() % 5));
            Play play(s);
            play.v.record = false;
            play.g.newBoard(uint32_t(random()));
            const std::vector<Snapshot> states = playRandomly(play, random, 10000);
            moves += int(states.size()) - 1;
            ended += play.g.gameFinished() ? 1 : 0;
            for (size_t i = states.size() - 1; i > 0; --i) {
                QVERIFY(play.g.undo());
                QVERIFY(snapshot(play.g) == states[i - 1]);
                VERIFY_BOARD_CONSISTENT(play.g.board());
            }
            QVERIFY(!play.g.undo());
            for (size_t i = 1; i < states.size(); ++i) {
                QVERIFY(play.g.redo());
                QVERIFY(snapshot(play.g) == states[i]);
            }
            QVERIFY(!play.g.redo());
            QCOMPARE(play.g.historyUsed(), states.size() > 1);
        }
        qInfo("%d games, %d moves taken back and made again, %d games ended", games, moves, ended);
        QVERIFY(moves > games * 3 && ended > games / 2);
    }

    void undoneMovesAreReplacedAndGameContinues() {
        Play play(settingsFor(8, 6, 2, 3));
        play.v.record = false;
        play.g.newBoard(99);
        std::mt19937 random(5);
        std::vector<Snapshot> states = playRandomly(play, random, 4);
        QCOMPARE(states.size(), size_t(5));
        QVERIFY(play.g.undo() && play.g.undo());
        QVERIFY(snapshot(play.g) == states[2]);
        // A new move after undo drops the two undone moves.
        const std::vector<Snapshot> more = playRandomly(play, random, 3);
        QVERIFY(!play.g.canRedo());
        QVERIFY(play.g.undo());
        QVERIFY(snapshot(play.g) == more[0]);
        QVERIFY(play.g.historyUsed());
        // A new board forgets it all.
        play.g.newBoard(1);
        QVERIFY(!play.g.canUndo() && !play.g.historyUsed());
    }

    void undoUpdatesDisplaysAndIsRefusedDuringMove() {
        Play play({"1122", "3344"});
        play.click(0, 0);
        play.v.events.clear();
        QVERIFY(play.g.undo());
        QCOMPARE(play.v.only("score|left"), QStringList({"score 0", "left 8"}));
        QCOMPARE(play.v.only("draw").size(), 8);
        QVERIFY(play.v.only("sound").isEmpty());
        bool refused = false;
        play.v.onPause = [&](double) { refused = !play.g.undo() && !play.g.redo(); };
        play.click(2, 1);
        QVERIFY(refused);
    }

    void historyMemoryOnLargestBoard() {
        Play play(settingsFor(150, 81, 2, 4));
        play.v.record = false;
        play.g.newBoard(300);
        std::mt19937 random(300);
        QCOMPARE(playRandomly(play, random, 300).size(), size_t(301));
        // Far below even a single byte-per-cell copy of the board per move.
        QVERIFY(play.g.history().memoryBytes() < 300 * size_t(150 * 81) / 20);
    }
};

QTEST_GUILESS_MAIN(GameExtrasTest)
#include "GameExtrasTest.moc"
