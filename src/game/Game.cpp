#include "game/Game.h"

#include "errors/AppError.h"
#include "errors/ErrorTrap.h"
#include "game/GameNumber.h"

#include <algorithm>
#include <chrono>

namespace tavro {

namespace {

std::mt19937 clockSeededGenerator() {
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto mono = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<uint32_t>(wall), static_cast<uint32_t>(wall >> 32),
                       static_cast<uint32_t>(mono), static_cast<uint32_t>(mono >> 32)};
    return std::mt19937(seed);
}

} // namespace

// co_await Wait(...): the view's Pause as one statement of the move's trap.
// The move goes on at once when the view has nothing to wait for, when the
// trap has been left, or when the statement failed and the player went on.
class Game::Wait {
public:
    Wait(Game& game, ErrorTrap& trap, double seconds)
        : game_(game), trap_(trap), seconds_(seconds) {}
    bool await_ready() const noexcept { return false; }
    bool await_suspend(std::coroutine_handle<>) {
        if (game_.abandoned_)
            return true; // its owner destroys the move as soon as it is suspended
        bool waiting = false;
        trap_.run(
            [&] { waiting = game_.view_.Pause(seconds_, [&game = game_] { game.resumeMove(); }); });
        return waiting;
    }
    void await_resume() const noexcept {}

private:
    Game& game_;
    ErrorTrap& trap_;
    double seconds_;
};

Game::Game(GameSettings& settings, BoardView& view, SoundSink& sound)
    : settings_(settings), view_(view), sound_(sound), random_(clockSeededGenerator()) {}

Game::~Game() {
    abandonMove();
}

bool Game::isMoving() const {
    return moving_;
}
bool Game::isGameOver() const {
    return board_.IsGameOver();
}
int64_t Game::score() const {
    return board_.score();
}
int Game::blocksLeft() const {
    return board_.LiveBlocks().count();
}
int Game::totalBlocks() const {
    return board_.totalBlocks();
}
bool Game::gameFinished() const {
    return board_.gameFinished();
}
void Game::setGameFinished(bool finished) {
    board_.setGameFinished(finished);
}
const Board& Game::board() const {
    return board_;
}

int64_t Game::clearingBonus(int64_t score) {
    const int64_t triple = score * 3;
    int64_t half = triple / 2; // exact for even products
    if (triple % 2 != 0) {
        // x.5: of the two neighbours take the even one.
        const int64_t other = triple > 0 ? half + 1 : half - 1;
        if (half % 2 != 0)
            half = other;
    }
    return half;
}

void Game::play(SoundId id) {
    if (soundOn())
        sound_.PlayWAV(id);
}

// A suspended move is destroyed at once. One whose statements are running
// (a report or a dialog of its own is open) goes when they return to it.
void Game::abandonMove() {
    moving_ = false;
    if (stepping_) {
        abandoned_ = true;
        return;
    }
    if (!move_.done())
        view_.stopPause();
    move_ = MoveTask();
}

void Game::picBoard_MouseUp(double X, double Y) {
    if (stepping_ || !move_.done())
        return; // a move is under way
    stepping_ = true;
    move_ = move(X, Y); // runs up to its first wait
    afterStep();
}

void Game::resumeMove() {
    stepping_ = true;
    move_.resume();
    afterStep();
}

void Game::afterStep() {
    stepping_ = false;
    if (move_.done() || abandoned_)
        move_ = MoveTask();
    abandoned_ = false;
}

void Game::newBoard(std::optional<uint32_t> seed) {
    ErrorTrap trap("frmTavro", "InitGame");
    newBoard(trap, seed);
}

void Game::newBoard(ErrorTrap& trap, std::optional<uint32_t> seed) {
    trap.run([&] {
        abandonMove();
        // The board is made from its game number: the seed, or a random one.
        gameNumber_ = seed ? *seed : static_cast<uint32_t>(random_());
        history_.clear();
        historyUsed_ = false;
    });
    trap.run([&] {
        board_.reset(settings_.Cols, settings_.Rows, settings_.BlocksToClick, settings_.BlockWidth,
                     settings_.BlockHeight);
    });
    trap.run([&] { play(SoundId::NewGame); });
    trap.run([&] {
        // Each cell's type is the generator's next draw (GameNumber.h).
        GameNumber numbers(gameNumber_);
        while (board_.blockCount() < board_.totalBlocks())
            BlockPaint(board_.addBlock(numbers.nextType(settings_.BlockTypes)), false);
    });
}

void Game::loadBoard(int cols, int rows, const std::vector<int16_t>& types) {
    ErrorTrap trap("frmTavro", "InitGame");
    trap.run([&] { abandonMove(); });
    trap.run([&] {
        if (types.size() != static_cast<size_t>(cols) * static_cast<size_t>(rows))
            throw AppError(AppError::InvalidCall, QStringLiteral("Board size mismatch"));
        history_.clear();
        historyUsed_ = false;
        board_.reset(cols, rows, settings_.BlocksToClick, settings_.BlockWidth,
                     settings_.BlockHeight);
        for (int16_t type : types)
            board_.addBlock(type);
    });
}

void Game::BlockPaint(int16_t index, bool erase) {
    ErrorTrap trap("basBlocks", "BlockPaint");
    trap.run([&] {
        const BlockRec& b = board_.block(index);
        if (!erase)
            view_.drawFromStrip(b.type, b.x, b.y);
        else if (settings_.Background)
            view_.eraseFromEmptyBoard(b.x, b.y, b.x, b.y);
        else
            view_.eraseFromEmptyBoard(0, 0, b.x, b.y);
    });
}

// One block one row down into the cell below it; sound 104 when it reaches
// the bottom row, 107 when it lands on a block.
void Game::Drop(int16_t index) {
    ErrorTrap trap("basBlocks", "Drop");
    trap.run([&] {
        const BlockRec& b = board_.block(index);
        const int16_t below = board_.cellAt(b.col, b.row + 1);
        if (below == -1)
            return;
        BlockPaint(index, true);
        board_.swapCells(index, below);
        BlockPaint(index, false);
        const int16_t under = board_.cellAt(b.col, b.row + 1);
        if (under == -1)
            play(SoundId::ReachedBottom);
        else if (board_.block(under).present)
            play(SoundId::Landed);
    });
}

// The run of present blocks starting at `first` moves one cell left; the spent
// block ends where the run's last block was.
void Game::MoveLefttUntilNoMoreBlocks(int16_t spent, int16_t first) {
    ErrorTrap trap("basBlocks", "MoveLefttUntilNoMoreBlocks");
    trap.run([&] {
        const BlockRec& s = board_.block(spent);
        int16_t b = first;
        while (b != -1 && board_.block(b).present) {
            BlockPaint(b, true);
            board_.swapCells(b, spent);
            BlockPaint(b, false);
            b = board_.cellAt(s.col + 1, s.row);
        }
    });
}

void Game::removeGroup() {
    const BlockList& group = board_.SameBlocks();
    for (const int16_t index : group)
        board_.setPresent(index, false);
    board_.LiveBlocks().removeAll(group);
    for (const int16_t index : group)
        BlockPaint(index, true);
}

// Every hole of the group with a present block directly above it, in list
// order, takes that block; returns whether anything dropped.
bool Game::fallingPass() {
    bool moved = false;
    const BlockList& same = board_.SameBlocks();
    const int count = same.count();
    for (int i = 0; i < count; ++i) {
        const BlockRec& hole = board_.block(same.at(i));
        const int16_t above = board_.cellAt(hole.col, hole.row - 1);
        if (above != -1 && board_.block(above).present) {
            moved = true;
            Drop(above);
        }
    }
    return moved;
}

bool Game::columnHasBlocks(int col) const {
    for (int row = 0; row < board_.rows(); ++row)
        if (board_.block(board_.cellAt(col, row)).present)
            return true;
    return false;
}

// The highest column at or left of `from` that holds a present block, -1 when none.
int Game::lastUsedColumn(int from) const {
    int col = from;
    while (col >= 0 && !columnHasBlocks(col))
        --col;
    return col;
}

// Closes the empty column `col`: every run of present blocks right of it, row
// by row from the bottom, moves one cell left. Cells right of the last used
// column hold nothing to move, so the scan stops there.
void Game::closeColumn(int col, int lastUsedCol) {
    for (int row = board_.rows() - 1; row >= 0; --row) {
        for (int k = col; k < lastUsedCol; ++k) {
            const int16_t s = board_.cellAt(k, row);
            const BlockRec& spent = board_.block(s);
            if (spent.present || spent.col < col)
                continue;
            const int16_t n = board_.cellAt(spent.col + 1, spent.row);
            if (n != -1 && board_.block(n).present)
                MoveLefttUntilNoMoreBlocks(s, n);
        }
    }
}

// Columns from the second rightmost to the left; an empty one (spent bottom
// cell) is closed. One refresh per column examined.
void Game::closeEmptyColumns() {
    const int rows = board_.rows();
    int lastUsed = lastUsedColumn(board_.cols() - 1);
    for (int col = board_.cols() - 2; col >= 0; --col) {
        const BlockRec& bottom = board_.block(board_.cellAt(col, rows - 1));
        if (!bottom.present && col < lastUsed) {
            closeColumn(bottom.col, lastUsed);
            lastUsed = lastUsedColumn(lastUsed);
        }
        view_.refreshBoard();
    }
}

MoveTask Game::move(double X, double Y) {
    ErrorTrap trap("frmTavro", "picBoard_MouseUp");
    bool stop = false;
    trap.run([&] { stop = board_.IsGameOver() || moving_; });
    if (stop || trap.left())
        co_return;

    int16_t b = -1;
    trap.run([&] {
        moving_ = true;
        play(SoundId::Click);
        b = board_.GetBlockUnderMouse(X, Y);
        if (b == -1 || !board_.block(b).present) {
            moving_ = false;
            stop = true;
        }
    });
    if (stop || trap.left())
        co_return;

    trap.run([&] {
        board_.SameBlocks().clear();
        board_.FindSameBlocks(b);
        if (board_.SameBlocks().count() < board_.blocksToClick()) {
            for (const int16_t index : board_.SameBlocks())
                board_.setMarked(index, false);
            moving_ = false;
            play(SoundId::Refused);
            stop = true;
        }
    });
    if (stop || trap.left())
        co_return;

    trap.run([&] { removeGroup(); });
    trap.run([&] { beginRecord(); });
    co_await Wait(*this, trap, 0.02);
    trap.run([&] { view_.refreshBoard(); });

    bool moved = true;
    while (moved && !trap.left()) {
        moved = false;
        trap.run([&] { moved = fallingPass(); });
        co_await Wait(*this, trap, 0.08);
        trap.run([&] { view_.refreshBoard(); });
    }
    trap.run([&] { closeEmptyColumns(); });

    trap.run([&] {
        const int left = board_.LiveBlocks().count();
        const int64_t k = board_.blocksLeft() - left;
        board_.setScore(board_.score() + k * k + 1);
        board_.setBlocksLeft(left);
        view_.showScore(board_.score());
        view_.showLeft(left);
        view_.refreshBoard();
        moving_ = false;
    });

    bool ended = false;
    trap.run([&] { ended = board_.IsGameOver(); });
    if (!ended || trap.left()) {
        trap.run([&] { endRecord(); });
        co_return;
    }
    trap.run([&] { play(SoundId::GameOver); });
    trap.run([&] {
        if (board_.LiveBlocks().isEmpty()) {
            board_.setScore(clearingBonus(board_.score()));
            view_.showScore(board_.score());
        }
    });
    trap.run([&] { board_.setGameFinished(true); });
    trap.run([&] { endRecord(); });
    trap.run([&] { view_.showHighscore(); });
}

} // namespace tavro
