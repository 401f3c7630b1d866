#pragma once

#include "game/BoardView.h"
#include "game/SoundSink.h"

#include <ostream>

namespace tavro {

class Game;

// Board view and sound sink of the replay: instead of painting, playing and
// waiting it prints one line per event. Painted cells are reported with the
// index of the block in that cell at the moment of the call.
class ReplayRecorder : public BoardView, public SoundSink {
public:
    explicit ReplayRecorder(std::ostream& out) : out_(out) {}
    void setGame(const Game* game) { game_ = game; }

    void drawFromStrip(int type, int x, int y) override;
    void eraseFromEmptyBoard(int srcX, int srcY, int x, int y) override;
    void refreshBoard() override {}
    bool Pause(double seconds, std::function<void()> done) override;
    void stopPause() override {}
    void showScore(int64_t score) override;
    void showLeft(int left) override;
    void showHighscore() override;
    void PlayWAV(SoundId id) override;

private:
    void printCell(const char* what, int x, int y);

    std::ostream& out_;
    const Game* game_ = nullptr;
};

} // namespace tavro
