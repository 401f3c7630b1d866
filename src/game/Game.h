#pragma once

// Contract between the rules and the main window. The rules engine fills in the
// implementation (and may add members), but keeps these names and meanings.

#include "game/Board.h"
#include "game/BoardView.h"
#include "game/MoveHistory.h"
#include "game/MoveTask.h"
#include "game/SoundSink.h"
#include "settings/GameSettings.h"

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace tavro {

class ErrorTrap;

class Game {
public:
    Game(GameSettings& settings, BoardView& view, SoundSink& sound);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // InitGame from "set total blocks" on: counters, lists, sound 100, the
    // random fill drawn block by block. The window has sized the board surface
    // and made the empty-board image before; it refreshes and shows the
    // numbers afterwards. A move still waiting is abandoned.
    void newBoard(std::optional<uint32_t> seed = std::nullopt);
    // The same as statements of the caller's trap (the window's InitGame).
    void newBoard(ErrorTrap& trap, std::optional<uint32_t> seed = std::nullopt);

    // Replaces the board by a given one, for tests and the replay tool: types
    // holds cols * rows block types row by row from the top. Like newBoard it
    // abandons a waiting move and takes BlocksToClick from the settings, but
    // it plays no sound and draws nothing.
    void loadBoard(int cols, int rows, const std::vector<int16_t>& types);

    // The whole move for a mouse release at (X, Y) on the board's inner area.
    // It runs up to its first wait and goes on each time the view's wait has
    // passed; a release while a move is under way is ignored.
    void picBoard_MouseUp(double X, double Y);

    // A waiting move ends without touching anything (the window is going away,
    // or a new board replaces this one). The board stays as the move left it;
    // isMoving() is false afterwards.
    void abandonMove();

    bool isMoving() const;
    bool isGameOver() const; // IsGameOver on the current board
    int64_t score() const;   // current score (wider than 16 bits)
    int blocksLeft() const;  // entries of LiveBlocks
    int totalBlocks() const;
    bool gameFinished() const; // the game-finished flag
    void setGameFinished(bool finished);
    const Board& board() const;

    // The clearing bonus: score * 1.5, halves rounded to the even neighbour.
    static int64_t clearingBonus(int64_t score);

    // --- game numbers and the move history (GameHistory.cpp) ---
    // The number the current board was made from (newBoard's seed).
    uint32_t gameNumber() const { return gameNumber_; }
    bool canUndo() const { return !moving_ && history_.canUndo(); }
    bool canRedo() const { return !moving_ && history_.canRedo(); }
    // Take back the last move / make the next undone move again: board,
    // score, blocks left and the game-finished flag, redrawn and shown.
    // Refused (false) during a move or with nothing to take back or redo.
    bool undo();
    bool redo();
    // Undo or a restart was used in this game (a new board clears it).
    bool historyUsed() const { return historyUsed_; }
    void setHistoryUsed() { historyUsed_ = true; }
    const MoveHistory& history() const { return history_; }
    // The bonus of a cleared board: what the last move's score gained beyond
    // the group's points; 0 when the board is not cleared.
    int64_t clearingBonusGiven() const;
    // What the player sees of a board.
    static BoardCells cellsOf(const Board& board);

private:
    class Wait;

    MoveTask move(double X, double Y);
    void resumeMove();
    void afterStep();
    bool soundOn() const { return settings_.Sound; }
    void play(SoundId id);

    void BlockPaint(int16_t index, bool erase);
    void Drop(int16_t index);
    void MoveLefttUntilNoMoreBlocks(int16_t spent, int16_t first);
    void removeGroup();
    bool fallingPass();
    void closeEmptyColumns();
    void closeColumn(int col, int lastUsedCol);
    int lastUsedColumn(int from) const;
    bool columnHasBlocks(int col) const;
    void beginRecord();
    void endRecord();
    void showCells(const BoardCells& cells, const MoveRecord& move, bool after);

    GameSettings& settings_;
    BoardView& view_;
    SoundSink& sound_;
    Board board_;
    std::mt19937 random_;
    bool moving_ = false;
    MoveTask move_;         // the move under way, empty between moves
    bool stepping_ = false; // the move's statements are running
    bool abandoned_ = false;
    uint32_t gameNumber_ = 0;
    MoveHistory history_;
    MoveRecord pending_;
    bool historyUsed_ = false;
};

} // namespace tavro
