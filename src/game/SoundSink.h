#pragma once

namespace tavro {

// The built-in sounds; the value is the sound's resource id.
enum class SoundId : int {
    NewGame = 100,       // a new board is being filled
    Unused = 101,        // never played
    Click = 102,         // a click on the board, a toolbar button, a background picture
    Refused = 103,       // the group is too small
    ReachedBottom = 104, // a falling block reached the bottom row
    BoardCleared = 105,  // the high-score table after a cleared board
    GameOver = 106,      // no group is left
    Landed = 107,        // a falling block landed on a block; a block set picked
};

// Where the rules send their sound effects. Callers test the Sound setting
// before calling.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlayWAV(SoundId id) = 0;
};

} // namespace tavro
