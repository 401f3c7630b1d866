// Figures of the rules engine on a 150 x 81 and a 12 x 7 board: the game-over
// test with no move left (fast against the literal list scan), the flood fill
// and a whole move without its waits.

#include "ReferenceRules.h"
#include "game/Game.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace tavro;

namespace {

class NullView : public BoardView, public SoundSink {
public:
    void drawFromStrip(int, int, int) override {}
    void eraseFromEmptyBoard(int, int, int, int) override {}
    void refreshBoard() override {}
    bool Pause(double, std::function<void()>) override { return false; }
    void stopPause() override {}
    void showScore(int64_t) override {}
    void showLeft(int) override {}
    void showHighscore() override {}
    void PlayWAV(SoundId) override {}
};

GameSettings settings(int cols, int rows) {
    GameSettings s;
    s.Cols = static_cast<int16_t>(cols);
    s.Rows = static_cast<int16_t>(rows);
    s.BlocksToClick = 2;
    s.BlockTypes = 4;
    s.BlockWidth = 50;
    s.BlockHeight = 50;
    s.Background = true;
    s.Sound = true;
    return s;
}

// A board without two equal neighbours: type (col + 2 * row) mod 3.
std::vector<int16_t> noMoveLeft(int cols, int rows) {
    std::vector<int16_t> types;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            types.push_back(static_cast<int16_t>((col + 2 * row) % 3));
    return types;
}

void IsGameOverNoMoveLeft(benchmark::State& state) {
    const int cols = int(state.range(0)), rows = int(state.range(1));
    GameSettings s = settings(cols, rows);
    s.BlocksToClick = static_cast<int16_t>(state.range(2));
    NullView view;
    Game game(s, view, view);
    game.loadBoard(cols, rows, noMoveLeft(cols, rows));
    for (auto _ : state)
        benchmark::DoNotOptimize(game.isGameOver());
}

void ReferenceIsGameOverNoMoveLeft(benchmark::State& state) {
    const int cols = int(state.range(0)), rows = int(state.range(1));
    GameSettings s = settings(cols, rows);
    NullView view;
    Game game(s, view, view);
    game.loadBoard(cols, rows, noMoveLeft(cols, rows));
    Board board = game.board();
    for (auto _ : state)
        benchmark::DoNotOptimize(test::referenceIsGameOver(board));
}

void FindSameBlocksOneColour(benchmark::State& state) {
    const int cols = int(state.range(0)), rows = int(state.range(1));
    GameSettings s = settings(cols, rows);
    NullView view;
    Game game(s, view, view);
    game.loadBoard(cols, rows, std::vector<int16_t>(size_t(cols * rows), 0));
    Board board = game.board();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < board.blockCount(); ++i)
            board.setMarked(i, false);
        board.SameBlocks().clear(); // keeps its storage, as between moves
        state.ResumeTiming();
        board.FindSameBlocks(0);
        benchmark::DoNotOptimize(board.SameBlocks().count());
    }
}

// Whole moves (the waits are no-ops): random clicks on removable groups of
// random boards, the board rebuilt when the game ends.
void MoveWithoutWaits(benchmark::State& state) {
    const int cols = int(state.range(0)), rows = int(state.range(1));
    GameSettings s = settings(cols, rows);
    NullView view;
    Game game(s, view, view);
    std::mt19937 random(1);
    game.newBoard(random());
    int64_t moves = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (game.isGameOver())
            game.newBoard(random());
        // A block of a removable group.
        const Board& board = game.board();
        double x = 0, y = 0;
        for (;;) {
            const BlockList& live = board.LiveBlocks();
            const BlockRec& b = board.block(live.at(int(random() % live.count())));
            const int16_t right = board.cellAt(b.col + 1, b.row);
            const int16_t up = board.cellAt(b.col, b.row - 1);
            const auto same = [&](int16_t n) {
                return n >= 0 && board.block(n).present && board.block(n).type == b.type;
            };
            if (same(right) || same(up) || random() % 64 == 0) {
                x = b.x + 25;
                y = b.y + 25;
                break;
            }
        }
        state.ResumeTiming();
        game.picBoard_MouseUp(x, y);
        ++moves;
    }
    state.counters["moves"] = double(moves);
}

// The largest possible move: a one-colour board cleared by one click.
void MoveClearingOneColourBoard(benchmark::State& state) {
    const int cols = int(state.range(0)), rows = int(state.range(1));
    GameSettings s = settings(cols, rows);
    NullView view;
    Game game(s, view, view);
    const std::vector<int16_t> types(size_t(cols * rows), 0);
    for (auto _ : state) {
        state.PauseTiming();
        game.loadBoard(cols, rows, types);
        state.ResumeTiming();
        game.picBoard_MouseUp(10, 10);
    }
}

// A tall group in the left column of a full board: every other block falls
// and every column closes.
void MoveWithLongFall(benchmark::State& state) {
    const int cols = int(state.range(0)), rows = int(state.range(1));
    GameSettings s = settings(cols, rows);
    NullView view;
    Game game(s, view, view);
    std::vector<int16_t> types = noMoveLeft(cols, rows);
    for (int row = rows / 2; row < rows; ++row) // lower half of column 0 and 1: one group
        for (int col = 0; col < 2; ++col)
            types[size_t(row * cols + col)] = 3;
    for (auto _ : state) {
        state.PauseTiming();
        game.loadBoard(cols, rows, types);
        state.ResumeTiming();
        game.picBoard_MouseUp(10, (rows - 1) * 50 + 10);
    }
}

} // namespace

BENCHMARK(MoveClearingOneColourBoard)
    ->Args({150, 81})
    ->Args({12, 7})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(MoveWithLongFall)->Args({150, 81})->Args({12, 7})->Unit(benchmark::kMicrosecond);
BENCHMARK(IsGameOverNoMoveLeft)
    ->Args({150, 81, 2})
    ->Args({150, 81, 3})
    ->Args({150, 81, 4})
    ->Args({150, 81, 5})
    ->Args({12, 7, 2})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ReferenceIsGameOverNoMoveLeft)
    ->Args({150, 81})
    ->Args({12, 7})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FindSameBlocksOneColour)->Args({150, 81})->Args({12, 7})->Unit(benchmark::kMicrosecond);
BENCHMARK(MoveWithoutWaits)->Args({150, 81})->Args({12, 7})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
