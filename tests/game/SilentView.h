#pragma once

#include "game/BoardView.h"
#include "game/SoundSink.h"

namespace tavro::test {

// Board view and sound sink that only count, for long scripted games.
class SilentView : public BoardView, public SoundSink {
public:
    int paints = 0;
    int highscores = 0;

    void drawFromStrip(int, int, int) override { ++paints; }
    void eraseFromEmptyBoard(int, int, int, int) override { ++paints; }
    void refreshBoard() override {}
    void Pause(double) override {}
    void showScore(int64_t) override {}
    void showLeft(int) override {}
    void showHighscore() override { ++highscores; }
    void PlayWAV(int) override {}
};

} // namespace tavro::test
