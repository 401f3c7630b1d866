#pragma once

// Contract between the rules and the main window. The rules engine fills in the
// implementation (and may add members), but keeps these names and meanings.

#include "game/BoardView.h"
#include "game/SoundSink.h"
#include "settings/GameSettings.h"

#include <cstdint>
#include <optional>

namespace tavro {

class Board;

class Game {
public:
    Game(GameSettings& settings, BoardView& view, SoundSink& sound);
    ~Game();

    // InitGame from "set total blocks" on: counters, lists, sound 100, the
    // random fill drawn block by block. The window has sized the board surface
    // and made the empty-board image before; it refreshes and shows the
    // numbers afterwards. A move still waiting is abandoned.
    void newBoard(std::optional<uint32_t> seed = std::nullopt);

    // The whole move for a mouse release at (X, Y) on the board's inner area.
    void picBoard_MouseUp(double X, double Y);

    // The window is going away: a waiting move ends without touching anything.
    void abandonMove();

    bool isMoving() const;
    bool isGameOver() const;       // IsGameOver on the current board
    int64_t score() const;         // current score (wider than 16 bits)
    int blocksLeft() const;        // entries of LiveBlocks
    int totalBlocks() const;
    bool gameFinished() const;     // the game-finished flag
    void setGameFinished(bool finished);
    const Board& board() const;
};

} // namespace tavro
