#pragma once

#include "errors/ErrorTrap.h"
#include "game/Game.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>

namespace tavro::test {

inline GameSettings settingsFor(int cols, int rows, int blocksToClick = 2, int blockTypes = 4) {
    GameSettings s;
    s.Cols = static_cast<int16_t>(cols);
    s.Rows = static_cast<int16_t>(rows);
    s.BlocksToClick = static_cast<int16_t>(blocksToClick);
    s.BlockTypes = static_cast<int16_t>(blockTypes);
    s.BlockWidth = s.BlockHeight = 50;
    s.Background = s.Sound = true;
    return s;
}

// The board as rows of digits from the top, '.' for an empty cell.
inline QStringList picture(const Board& board) {
    QStringList rows;
    for (int row = 0; row < board.rows(); ++row) {
        rows << QString();
        for (int col = 0; col < board.cols(); ++col) {
            const BlockRec& b = board.block(board.cellAt(col, row));
            rows.last() += b.present ? QChar('0' + b.type) : QChar('.');
        }
    }
    return rows;
}

// The live block that `n` picks, counting round the LiveBlocks list.
inline const BlockRec& liveBlock(const Board& board, uint32_t n) {
    return board.block(board.LiveBlocks().at(int(n % board.LiveBlocks().count())));
}

// Counts failures reported through the error trap; each leaves its procedure.
inline int reportedErrors = 0, lastReportedError = 0;
inline void countReportedErrors() {
    reportedErrors = 0;
    setErrorHandler([](const QString& module, const QString& procedure, const Failure& f) {
        ++reportedErrors;
        lastReportedError = f.number;
        qInfo("error %d in %s.%s", f.number, qPrintable(module), qPrintable(procedure));
        return static_cast<int>(Continue::Leave);
    });
}

// Fake board view and sound sink: every call becomes one line of `events`
// unless `record` is off. With `waits` a pause stays pending until endPause(),
// as a window's timer would; otherwise the move goes on at once.
class RecordingView : public BoardView, public SoundSink {
public:
    QStringList events;
    bool record = true, waits = false;
    int highscores = 0;
    std::function<void()> pending, onPause = [] {}, onHighscore = [] {};

    void drawFromStrip(int type, int x, int y) override { log("draw", type, x, y); }
    void eraseFromEmptyBoard(int srcX, int srcY, int x, int y) override {
        log("erase", srcX, srcY, x, y);
    }
    void refreshBoard() override { log("refresh"); }
    bool Pause(double seconds, std::function<void()> done) override {
        log("pause", seconds);
        if (waits)
            pending = std::move(done);
        onPause();
        return waits;
    }
    void stopPause() override { pending = nullptr; }
    void endPause() {
        if (const std::function<void()> done = std::exchange(pending, nullptr))
            done();
    }
    void showScore(int64_t score) override { log("score", score); }
    void showLeft(int left) override { log("left", left); }
    void showHighscore() override {
        ++highscores;
        log("highscore");
        onHighscore();
    }
    void PlayWAV(SoundId id) override { log("sound", int(id)); }

    QStringList only(const QString& prefix) const {
        return events.filter(QRegularExpression('^' + prefix));
    }

private:
    template <typename... Args> void log(const char* what, Args... args) {
        if (record)
            events << (QString::fromLatin1(what) + ... + QStringLiteral(" %1").arg(args));
    }
};

// The first violated invariant of the board model, or an empty text.
// `betweenMoves` adds those that hold only after a move: present blocks
// unmarked, blocks left counted, columns stacked from the bottom and the
// non-empty columns a run from the left.
inline QString boardInvariantViolation(const Board& board, bool betweenMoves = true) {
    const BlockList& live = board.LiveBlocks();
    const int count = board.blockCount();
    if (count != board.cols() * board.rows() || board.totalBlocks() != count)
        return QStringLiteral("%1 blocks for %2 cells").arg(count).arg(board.totalBlocks());
    if (std::adjacent_find(live.begin(), live.end(), std::greater_equal<>()) != live.end())
        return QStringLiteral("LiveBlocks out of order");
    int present = 0;
    for (int i = 0; i < count; ++i) {
        const BlockRec& b = board.block(i);
        present += b.present ? 1 : 0;
        if (b.index != i || board.cellAt(b.col, b.row) != i || b.x != b.col * board.blockWidth() ||
            b.y != b.row * board.blockHeight() || b.present != live.contains(b.index) ||
            (b.present ? betweenMoves && b.marked : !b.marked))
            return QString::asprintf("block %d at (%d,%d) present %d marked %d", i, b.col, b.row,
                                     b.present, b.marked);
    }
    if (present != live.count() || (betweenMoves && board.blocksLeft() != present))
        return QString::asprintf("%d present, %d live, %d left", present, live.count(),
                                 board.blocksLeft());
    const BoardCells cells = Game::cellsOf(board);
    for (int col = 0; betweenMoves && col < cells.cols; ++col)
        for (int row = 0; row < cells.rows; ++row)
            if ((row > 0 && cells.at(col, row) < 0 && cells.at(col, row - 1) >= 0) ||
                (col > 0 && cells.at(col, row) >= 0 && cells.at(col - 1, cells.rows - 1) < 0))
                return QStringLiteral("hole or gap column at (%1,%2)").arg(col).arg(row);
    return {};
}

#define VERIFY_BOARD_CONSISTENT(...) QCOMPARE(boardInvariantViolation(__VA_ARGS__), QString())

// A game on a recording view, started from a settings record or loaded from
// rows of digits (from the top). A test may destroy the game through `owner`.
struct Play {
    GameSettings s;
    RecordingView v;
    std::unique_ptr<Game> owner = std::make_unique<Game>(s, v, v);
    Game& g = *owner;

    explicit Play(const GameSettings& settings) : s(settings) {}
    explicit Play(const QStringList& rows, int blocksToClick = 2)
        : s(settingsFor(int(rows.first().size()), int(rows.size()), blocksToClick)) {
        std::vector<int16_t> types;
        for (QChar c : rows.join(QString()))
            types.push_back(static_cast<int16_t>(c.digitValue()));
        g.loadBoard(s.Cols, s.Rows, types);
    }
    void click(int col, int row) { g.picBoard_MouseUp(col * 50 + 25, row * 50 + 25); }
    void clickBlock(uint32_t n) { click(liveBlock(g.board(), n).col, liveBlock(g.board(), n).row); }
    QString state() const {
        return picture(g.board()).join('/') + ' ' + QString::number(g.score());
    }
};

} // namespace tavro::test
