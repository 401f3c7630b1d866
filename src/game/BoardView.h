#pragma once

#include <cstdint>

namespace tavro {

// What the rules need from the window that shows the board. The main window
// implements it; tests use a recording fake.
class BoardView {
public:
    virtual ~BoardView() = default;

    // Draw a block: copy the 50 x 50 square at (type * 50, 0) of the block strip
    // to (x, y) of the board surface.
    virtual void drawFromStrip(int type, int x, int y) = 0;
    // Erase a cell: copy the 50 x 50 square at (srcX, srcY) of the empty-board
    // image to (x, y) of the board surface.
    virtual void eraseFromEmptyBoard(int srcX, int srcY, int x, int y) = 0;
    // Show what has been painted into the board surface.
    virtual void refreshBoard() = 0;

    // Waits at least `seconds` while window events are processed.
    virtual void Pause(double seconds) = 0;

    // The digit displays: ShowNumber(imgScore, score) and ShowNumber(imgLeft, left).
    virtual void showScore(int64_t score) = 0;
    virtual void showLeft(int left) = 0;

    // End of a game: shows the high-score dialog modally and discards it.
    virtual void showHighscore() = 0;
};

} // namespace tavro
