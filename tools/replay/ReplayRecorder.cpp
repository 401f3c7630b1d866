#include "ReplayRecorder.h"

#include "game/Game.h"

namespace tavro {

void ReplayRecorder::printCell(const char* what, int x, int y) {
    const Board& board = game_->board();
    const int col = x / board.blockWidth();
    const int row = y / board.blockHeight();
    out_ << what << ' ' << board.cellAt(col, row) << ' ' << col << ' ' << row << '\n';
}

void ReplayRecorder::drawFromStrip(int, int x, int y) {
    printCell("draw", x, y);
}
void ReplayRecorder::eraseFromEmptyBoard(int, int, int x, int y) {
    printCell("erase", x, y);
}
bool ReplayRecorder::Pause(double seconds, std::function<void()>) {
    out_ << "wait " << seconds << '\n';
    return false; // the move goes on at once
}
void ReplayRecorder::showScore(int64_t score) {
    out_ << "score " << score << '\n';
}
void ReplayRecorder::showLeft(int left) {
    out_ << "left " << left << '\n';
}
void ReplayRecorder::showHighscore() {
    out_ << "over " << game_->score() << '\n';
}
void ReplayRecorder::PlayWAV(SoundId id) {
    out_ << "sound " << static_cast<int>(id) << '\n';
}

} // namespace tavro
