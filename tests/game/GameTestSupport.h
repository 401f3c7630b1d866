#pragma once

#include "errors/ErrorTrap.h"
#include "game/Board.h"
#include "game/BoardView.h"
#include "game/Game.h"
#include "game/SoundSink.h"
#include "settings/GameSettings.h"

#include <QRegularExpression>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

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

inline constexpr auto centre = [](int cell) { return cell * 50.0 + 25.0; };

// Counts failures reported through the error trap; each leaves its procedure.
inline int reportedErrors = 0;
inline void countReportedErrors() {
    reportedErrors = 0;
    setErrorHandler([](const QString& module, const QString& procedure, const Failure& f) {
        ++reportedErrors;
        qWarning("error %d in %s.%s line %d: %s", f.number, qPrintable(module),
                 qPrintable(procedure), f.line, qPrintable(f.description));
        return static_cast<int>(Continue::Leave);
    });
}

// Fake board view and sound sink: every call becomes one line of `events` unless
// `record` is off. Hooks let a test act when a pause starts or inside the
// high-score dialog.
class RecordingView : public BoardView, public SoundSink {
public:
    QStringList events;
    bool record = true;
    int pauses = 0, highscores = 0;
    std::function<void(double)> onPause = [](double) {};
    std::function<void()> onHighscore = [] {};

    void drawFromStrip(int type, int x, int y) override { log("draw %1 %2 %3", type, x, y); }
    void eraseFromEmptyBoard(int srcX, int srcY, int x, int y) override {
        log("erase %1 %2 %3 %4", srcX, srcY, x, y);
    }
    void refreshBoard() override { log("refresh"); }
    // With `waits` on a pause stays pending until endPause(), as a window's
    // timer would; otherwise the move goes on at once.
    bool waits = false;
    std::function<void()> pending;
    bool Pause(double seconds, std::function<void()> done) override {
        ++pauses;
        log("pause %1", seconds);
        if (waits)
            pending = std::move(done);
        onPause(seconds);
        return waits;
    }
    void stopPause() override { pending = nullptr; }
    void endPause() {
        if (const std::function<void()> done = std::exchange(pending, nullptr))
            done();
    }
    void showScore(int64_t score) override { log("score %1", qlonglong(score)); }
    void showLeft(int left) override { log("left %1", left); }
    void showHighscore() override {
        ++highscores;
        log("highscore");
        onHighscore();
    }
    void PlayWAV(SoundId id) override { log("sound %1", int(id)); }

    QStringList only(const QString& prefix) const {
        return events.filter(QRegularExpression('^' + prefix));
    }

private:
    template <typename... Args> void log(const char* format, Args... args) {
        if (!record)
            return;
        events << QString::fromLatin1(format);
        ((events.last() = events.last().arg(args)), ...);
    }
};

// The first violated invariant of the board model, or an empty text.
// `betweenMoves` adds those that hold only after a move: present blocks unmarked,
// blocks left equal to the LiveBlocks count, columns stacked, no gap columns.
inline QString boardInvariantViolation(const Board& board, bool betweenMoves = true) {
    const int cols = board.cols(), rows = board.rows(), count = board.blockCount();
    if (count != cols * rows || board.totalBlocks() != count)
        return QStringLiteral("table holds %1 blocks for %2 cells").arg(count).arg(cols * rows);
    std::vector<bool> seen(size_t(count), false);
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            const int i = board.cellAt(col, row);
            if (i < 0 || i >= count || seen[size_t(i)])
                return QStringLiteral("grid is no permutation at (%1,%2)").arg(col).arg(row);
            seen[size_t(i)] = true;
        }
    int last = -1;
    for (const int16_t index : board.LiveBlocks()) {
        if (index <= last || !board.block(index).present)
            return QStringLiteral("LiveBlocks: %1 out of order or spent").arg(index);
        last = index;
    }
    int present = 0;
    for (int i = 0; i < count; ++i) {
        const BlockRec& b = board.block(i);
        const auto wrong = [&](const char* what) {
            return QString::asprintf("block %d (%d,%d) present %d marked %d: %s", i, b.col, b.row,
                                     b.present, b.marked, what);
        };
        if (b.index != i || board.cellAt(b.col, b.row) != i)
            return wrong("index or cell");
        if (b.x != b.col * board.blockWidth() || b.y != b.row * board.blockHeight())
            return wrong("pixel position");
        if (b.present != board.LiveBlocks().contains(b.index))
            return wrong("present flag disagrees with LiveBlocks");
        if (b.present ? betweenMoves && b.marked : !b.marked)
            return wrong("marked flag");
        present += b.present ? 1 : 0;
    }
    if (present != board.LiveBlocks().count() || (betweenMoves && board.blocksLeft() != present))
        return QString::asprintf("%d present, LiveBlocks %d, blocks left %d", present,
                                 board.LiveBlocks().count(), board.blocksLeft());
    bool emptyColumnSeen = false;
    for (int col = 0; betweenMoves && col < cols; ++col) {
        bool blockAbove = false;
        for (int row = 0; row < rows; ++row) {
            const bool here = board.block(board.cellAt(col, row)).present;
            if (blockAbove && !here)
                return QStringLiteral("hole under a block at (%1,%2)").arg(col).arg(row);
            blockAbove = blockAbove || here;
        }
        if (blockAbove && emptyColumnSeen)
            return QStringLiteral("column %1 right of an empty column").arg(col);
        emptyColumnSeen = emptyColumnSeen || !blockAbove;
    }
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
        : s(settingsFor(rows.first().size(), rows.size(), blocksToClick)) {
        std::vector<int16_t> types;
        for (QChar c : rows.join(QString()))
            types.push_back(static_cast<int16_t>(c.digitValue()));
        g.loadBoard(s.Cols, s.Rows, types);
    }
    void click(int col, int row) { g.picBoard_MouseUp(centre(col), centre(row)); }
    QString state() const {
        return picture(g.board()).join('/') + ' ' + QString::number(g.score());
    }
};

} // namespace tavro::test
