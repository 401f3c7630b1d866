// Game numbers and the move history: boards pinned to their numbers, and
// moves taken back and made again on random boards.

#include "game/GameNumber.h"
#include "game/MoveHistory.h"

#include <QtTest>
#include <algorithm>
#include <malloc.h>
#include <random>

using namespace tavro;

class GameExtrasTest : public QObject {
    Q_OBJECT

private slots:
    void generatorIsSplitMix64() {
        // Published first outputs of SplitMix64 from state 0.
        GameNumber g(0);
        QCOMPARE(g.next(), 0xE220A8397B1DCDAFULL);
        QCOMPARE(g.next(), 0x6E789E6AA1B965F4ULL);
        QCOMPARE(g.next(), 0x06C45D188009454FULL);
    }

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
        // Every type occurs and none beyond the range.
        const std::vector<int16_t> big = GameNumber::boardTypes(77, 150, 81, 6);
        std::array<int, 6> counts{};
        for (int16_t t : big)
            ++counts.at(size_t(t));
        for (int c : counts)
            QVERIFY2(c > 1800 && c < 2250, qPrintable(QString::number(c)));
    }

    void parsesTypedNumbers() {
        QCOMPARE(GameNumber::parse(" 42 "), std::optional<uint32_t>(42));
        QCOMPARE(GameNumber::parse("4294967295"), std::optional<uint32_t>(4294967295u));
        for (const char* bad : {"", "4294967296", "-1", "12a", "1 2", "99999999999"})
            QVERIFY2(!GameNumber::parse(bad), bad);
    }

    void historyRevertsWhatItApplies() {
        // Random boards as play leaves them; a random group removed and put
        // back.
        std::mt19937 random(7);
        for (int round = 0; round < 20000; ++round) {
            BoardCells cells{1 + int(random() % 12), 1 + int(random() % 9), {}};
            // Columns stacked from the bottom, the used ones on the left.
            const int used = 1 + int(random() % cells.cols);
            for (int col = 0; col < cells.cols; ++col) {
                const int height = col < used ? 1 + int(random() % cells.rows) : 0;
                for (int row = 0; row < cells.rows; ++row)
                    cells.types.push_back(row >= cells.rows - height ? int8_t(random() % 3) : -1);
            }
            const BoardCells before = cells;
            const int col = int(random() % cells.cols), row = int(random() % cells.rows);
            const std::vector<int> group = cells.groupAt(col, row);
            if (group.empty())
                continue;
            MoveRecord move;
            move.type = cells.at(col, row);
            for (int i : group)
                move.removed.push_back(uint16_t(i));
            for (int c = 0; c < cells.cols; ++c) {
                bool left = false;
                for (int r = 0; r < cells.rows; ++r)
                    left = left ||
                           (cells.at(c, r) >= 0 && std::find(group.begin(), group.end(),
                                                             cells.index(c, r)) == group.end());
                const bool touched = std::any_of(group.begin(), group.end(),
                                                 [&](int i) { return i / cells.rows == c; });
                if (touched && !left)
                    move.emptied.push_back(uint16_t(c));
            }
            MoveHistory::applyMove(cells, move);
            const BoardCells after = cells;
            QCOMPARE(std::count(after.types.begin(), after.types.end(), -1),
                     std::count(before.types.begin(), before.types.end(), -1) +
                         std::ptrdiff_t(group.size()));
            MoveHistory history;
            history.record(move);
            QCOMPARE(history.undo(cells).removed, move.removed);
            QVERIFY(cells == before);
            QVERIFY(!history.canUndo() && history.canRedo());
            history.redo(cells);
            QVERIFY(cells == after);
        }
    }
};

QTEST_GUILESS_MAIN(GameExtrasTest)
#include "GameExtrasTest.moc"
