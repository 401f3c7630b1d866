#pragma once

#include <cstdint>
#include <functional>

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

    // Starts a wait of at least `seconds`; window events go on meanwhile.
    // Returns true when the wait runs: `done` is then called once, from the
    // event loop, when the time has passed, unless stopPause() comes first.
    // Returns false when there is nothing to wait for; `done` is not called.
    virtual bool Pause(double seconds, std::function<void()> done) = 0;
    // Ends a running wait without calling its `done`.
    virtual void stopPause() = 0;

    // The digit displays: ShowNumber(imgScore, score) and ShowNumber(imgLeft, left).
    virtual void showScore(int64_t score) = 0;
    virtual void showLeft(int left) = 0;

    // End of a game: shows the high-score dialog modally and discards it.
    virtual void showHighscore() = 0;
};

} // namespace tavro
