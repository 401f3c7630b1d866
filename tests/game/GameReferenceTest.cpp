// The fast game-over test and the explicit-stack flood fill against the
// searches as first written, on thousands of random boards and after moves.

#include "GameTestSupport.h"
#include "ReferenceRules.h"

#include <QtTest>
#include <functional>
#include <random>

using namespace tavro;
using namespace tavro::test;

namespace {

// IsGameOver against the reference on a copy; neither may leave a block marked.
bool gameOverAgrees(const Board& board) {
    Board copy = board;
    const bool agrees = board.IsGameOver() == referenceIsGameOver(copy);
    for (int i = 0; i < board.blockCount(); ++i)
        if ((board.block(i).present && board.block(i).marked) ||
            (copy.block(i).present && copy.block(i).marked))
            return false;
    return agrees;
}

// A fill from `start` on a copy: the group's keys in order, then the marks.
template <typename Fill> QString filled(Board board, int16_t start, Fill fill) {
    board.SameBlocks().clear();
    fill(board, start);
    QString text;
    for (const BlockList::Entry& e : board.SameBlocks())
        text += QString::fromStdString(e.key) + ' ';
    for (int i = 0; i < board.blockCount(); ++i)
        text += board.block(i).marked ? 'x' : '.';
    return text;
}

} // namespace

class GameReferenceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { countReportedErrors(); }
    void cleanup() { QCOMPARE(reportedErrors, 0); }
    void gameOverMatchesTheReference() {
        std::mt19937 random(20240611);
        RecordingView view;
        view.record = false;
        int boards = 0, movesChecked = 0, overAtStart = 0;
        for (int cols = 1; cols <= 10; ++cols)
            for (int rows = 1; rows <= 8; ++rows)
                for (int types = 3; types <= 6; ++types)
                    for (int btc = 0; btc <= 5; ++btc) {
                        GameSettings s = settingsFor(cols, rows, btc, types);
                        Game game(s, view, view);
                        game.newBoard(static_cast<uint32_t>(random()));
                        ++boards;
                        overAtStart += game.isGameOver() ? 1 : 0;
                        for (int click = 0;; ++click) {
                            QVERIFY2(gameOverAgrees(game.board()),
                                     qPrintable(QString::number(btc) + ": " +
                                                picture(game.board()).join('/')));
                            if (click == 40 || game.isGameOver())
                                break;
                            const BlockRec& b = liveBlock(game.board(), random());
                            game.picBoard_MouseUp(b.x + 1, b.y + 1);
                            ++movesChecked;
                        }
                    }
        QCOMPARE(boards, 10 * 8 * 4 * 6);
        // Both answers occur.
        QVERIFY(movesChecked > 10000 && overAtStart > 0 && overAtStart < boards);
    }
    void floodFillMatchesTheRecursiveFill() {
        std::mt19937 random(77);
        RecordingView view;
        view.record = false;
        for (int round = 0; round < 3000; ++round) {
            const int cols = 1 + int(random() % 14), rows = 1 + int(random() % 10);
            GameSettings s = settingsFor(cols, rows, 2, 2 + int(random() % 3));
            Game game(s, view, view);
            game.newBoard(static_cast<uint32_t>(random()));
            for (int move = 0; move < 3 && !game.board().LiveBlocks().isEmpty(); ++move) {
                const int16_t start = liveBlock(game.board(), random()).index;
                QCOMPARE(filled(game.board(), start, std::mem_fn(&Board::FindSameBlocks)),
                         filled(game.board(), start, referenceFindSameBlocks));
                const BlockRec& b = game.board().block(start);
                game.picBoard_MouseUp(b.x + 49.5, b.y + 49.5);
            }
        }
    }
};

QTEST_GUILESS_MAIN(GameReferenceTest)
#include "GameReferenceTest.moc"
