#pragma once

#include "game/Game.h"
#include "ui/dialogs/HighScoreTable.h"
#include "ui/dialogs/LocalisedDialog.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace tavro {

struct AppState;

// What the high-score dialog reads of the current game.
struct CurrentGame {
    int64_t score = 0;     // current score
    int blocksLeft = 0;    // entries of LiveBlocks
    int totalBlocks = 0;   // columns x rows when the game started
    bool finished = false; // the game-finished flag
};

// What the extras add to the dialog.
struct CurrentGameExtras {
    std::optional<uint32_t> gameNumber; // the board's number, shown with the statistics
    bool noEntry = false; // a finished game that undo or restart helped: no name is asked
};

// The high-score dialog: statistics of the current game on top, the table of
// the current configuration below. Create it for one modal showing and
// discard it afterwards:
//
//   frmHighscore dlg(state, game, this);  // Form_Load: may ask for the name
//   dlg.exec();
//
// Form_Load runs in the constructor, so the name box of a placing result
// comes before the dialog is visible, and a cleared board plays sound 105.
// OK (cmdOK_Click) clears the game-finished flag through the callback. The
// window has no close box; Escape and a close request from the window system
// act as OK, so a finished game is never entered twice.
class frmHighscore : public LocalisedDialog {
    Q_OBJECT
public:
    // clearFinished is called by OK to set the game-finished flag to false.
    frmHighscore(AppState& state, const CurrentGame& game, std::function<void()> clearFinished,
                 QWidget* parent = nullptr, const CurrentGameExtras& extras = {});

    // Convenience for the main window: reads the numbers and the flag of game
    // and clears the flag on OK. A finished game that undo or restart helped
    // is shown as from the toolbar, with a line saying why no name is asked.
    frmHighscore(AppState& state, Game& game, QWidget* parent = nullptr)
        : frmHighscore(
              state,
              CurrentGame{game.score(), game.blocksLeft(), game.totalBlocks(),
                          game.gameFinished() && !game.historyUsed()},
              [&game] { game.setGameFinished(false); }, parent,
              CurrentGameExtras{game.gameNumber(), game.gameFinished() && game.historyUsed()}) {}

    const HighScoreTable& table() const { return table_; }

    // One more line under the statistics, for an extra: its caption and the
    // label that shows its value (object name `name`), filled in by the caller.
    QLabel* addStatistic(const QString& caption, const QString& name);

    // Controls, for the tests and the screenshots (indices 1..5).
    QLabel* lblHName(int slot) const { return lblHName_.at(slot - 1); }
    QLabel* lblHScore(int slot) const { return lblHScore_.at(slot - 1); }
    QLabel* lblLeft(int slot) const { return lblLeft_.at(slot - 1); }
    QLabel* lblAktScore() const { return lblAktScore_; }
    QLabel* lblBlocksLeft() const { return lblBlocksLeft_; }
    QLabel* lblTotalBlocks() const { return lblTotalBlocks_; }
    QLabel* lblCols() const { return lblCols_; }
    QLabel* lblRows() const { return lblRows_; }
    QLabel* lblNumBlockTypes() const { return lblNumBlockTypes_; }
    QLabel* lblGameNumber() const { return lblGameNumber_; }
    QLabel* lblNoEntry() const { return lblNoEntry_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdDelHighscore() const { return cmdDelHighscore_; }

    void Sprache() override;

protected:
    void reject() override;

private:
    void buildControls();
    void Form_Load();
    void GetScores();
    void CheckHS();
    void WriteScores();
    void ZeigeScores();
    void ResetScores();
    void cmdDelHighscore_Click();
    void cmdOK_Click();
    void showSlot(int slot);
    void markSlot(int slot);

    AppState& state_;
    CurrentGame game_;
    CurrentGameExtras extras_;
    std::function<void()> clearFinished_;
    HighScoreTable table_;

    QGroupBox* Frame1_ = nullptr;
    QGroupBox* fraHsc_ = nullptr;
    std::array<QLabel*, 9> captions_{}; // Label1 .. Label9
    QLabel* lblAktScore_ = nullptr;
    QLabel* lblBlocksLeft_ = nullptr;
    QLabel* lblCols_ = nullptr;
    QLabel* lblRows_ = nullptr;
    QLabel* lblTotalBlocks_ = nullptr;
    QLabel* lblNumBlockTypes_ = nullptr;
    QLabel* lblGameNumberCaption_ = nullptr;
    QLabel* lblGameNumber_ = nullptr;
    QLabel* lblNoEntry_ = nullptr;
    std::array<QLabel*, HighScoreTable::kSlots> lblPos_{};
    std::array<QLabel*, HighScoreTable::kSlots> lblHName_{};
    std::array<QLabel*, HighScoreTable::kSlots> lblHScore_{};
    std::array<QLabel*, HighScoreTable::kSlots> lblLeft_{};
    QPushButton* cmdDelHighscore_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

} // namespace tavro
