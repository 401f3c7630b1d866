// tavro-replay: reads a board and a list of clicks from stdin (see
// ReplayInput.h), plays the clicks through the game's move handler with sound
// on and prints every event:
//   sound N        a sound effect
//   erase I C R    block I erased at cell (C, R)
//   draw I C R     block I drawn at cell (C, R)
//   wait S         a pause of S seconds (0.02 after erasing, 0.08 per falling pass)
//   score S        the score display
//   left N         the blocks-left display
//   over S         the game has ended with score S (after any clearing bonus)
// A click "C R" releases the mouse at the centre of cell (C, R): pixel
// (C * 50 + 25, R * 50 + 25); cells outside the board give clicks off the board.
// The number of block types is the highest type on the board + 1, at least 3;
// it only matters for new random boards, which the replay never makes.
// Malformed input: one line on stderr, exit status 2.

#include "ReplayInput.h"
#include "ReplayRecorder.h"
#include "game/Game.h"

#include <algorithm>
#include <iostream>

int main() {
    using namespace tavro;
    ReplayInput input;
    try {
        input = ReplayInput::parse(std::cin);
    } catch (const ReplayInput::Malformed& e) {
        std::cerr << "tavro-replay: " << e.what() << '\n';
        return 2;
    }

    GameSettings settings;
    settings.Cols = static_cast<int16_t>(input.cols);
    settings.Rows = static_cast<int16_t>(input.rows);
    settings.BlocksToClick = static_cast<int16_t>(input.blocksToClick);
    const int16_t maxType = *std::max_element(input.types.begin(), input.types.end());
    settings.BlockTypes = std::max<int16_t>(3, static_cast<int16_t>(maxType + 1));
    settings.BlockWidth = 50;
    settings.BlockHeight = 50;
    settings.Background = true;
    settings.Sound = true;

    ReplayRecorder recorder(std::cout);
    Game game(settings, recorder, recorder);
    recorder.setGame(&game);
    game.loadBoard(input.cols, input.rows, input.types);
    for (const ReplayInput::Click& click : input.clicks)
        game.picBoard_MouseUp(click.col * 50.0 + 25.0, click.row * 50.0 + 25.0);
    std::cout.flush();
    return std::cout ? 0 : 1;
}
