#pragma once

// Plays solver lines through the game's own move handler.

#include "game/Game.h"
#include "solver/Position.h"

#include <QStandardPaths>

namespace solvertest {

class NullView : public tavro::BoardView, public tavro::SoundSink {
public:
    void drawFromStrip(int, int, int) override {}
    void eraseFromEmptyBoard(int, int, int, int) override {}
    void refreshBoard() override {}
    bool Pause(double, std::function<void()>) override { return false; }
    void stopPause() override {}
    void showScore(int64_t) override {}
    void showLeft(int) override {}
    void showHighscore() override {}
    void PlayWAV(tavro::SoundId) override {}
};

// A game on the board of `start`, ready for clicks.
class RealGame {
public:
    explicit RealGame(const tavro::solver::Position& start) {
        settings_.Cols = static_cast<int16_t>(start.shape.cols);
        settings_.Rows = static_cast<int16_t>(start.shape.rows);
        settings_.BlocksToClick = static_cast<int16_t>(start.shape.minGroup);
        settings_.BlockTypes = 10;
        settings_.BlockWidth = 50;
        settings_.BlockHeight = 50;
        settings_.Background = true;
        game_.loadBoard(start.shape.cols, start.shape.rows, start.toRows());
    }
    void click(tavro::solver::Move m) { game_.picBoard_MouseUp(m.col * 50 + 25, m.row * 50 + 25); }
    // The board's types row by row from the top, -1 for an empty cell.
    std::vector<int16_t> types() const {
        std::vector<int16_t> out;
        const tavro::Board& b = game_.board();
        for (int row = 0; row < b.rows(); ++row)
            for (int col = 0; col < b.cols(); ++col) {
                const tavro::BlockRec& rec = b.block(b.cellAt(col, row));
                out.push_back(rec.present ? rec.type : int16_t(-1));
            }
        return out;
    }
    tavro::Game& game() { return game_; }

private:
    tavro::GameSettings settings_;
    NullView view_;
    tavro::Game game_{settings_, view_, view_};
};

// The final score of a line played through the game; -1 when the game is not
// over after it.
inline int64_t replayedScore(const tavro::solver::Position& start,
                             const std::vector<tavro::solver::Move>& moves) {
    RealGame real(start);
    for (const tavro::solver::Move& m : moves)
        real.click(m);
    return real.game().isGameOver() ? real.game().score() : -1;
}

inline void isolateSettings() {
    QStandardPaths::setTestModeEnabled(true);
}

} // namespace solvertest
