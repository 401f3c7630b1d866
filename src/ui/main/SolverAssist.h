#pragma once

#include "solver/Position.h"

#include <QObject>
#include <cstdint>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace tavro {

class Game;
class GroupOutline;
class Language;
class SettingsStore;
class frmHighscore;
namespace solver {
class SolverTask;
}

// The solver's two services for the main window, both searched on worker
// threads so the window never waits:
// - the hint: the group the solver would remove next, outlined over the board
//   on request and gone at the next click or new board;
// - the verdict: the best score found for the current board from its start,
//   for the high-score dialog at the end of a game (only while switched on).
class SolverAssist : public QObject {
    Q_OBJECT

public:
    static constexpr double HintSeconds = 1.0;
    static constexpr double VerdictSeconds = 2.0;

    SolverAssist(const Game& game, QWidget* boardSurface, int cellSize, QObject* parent = nullptr);
    ~SolverAssist() override;

    // Hint (H) and the Verdict switch (V) below a separator of the help menu,
    // their keys active in `window`; the switch is kept in the store's
    // section Extras. Both refuse to act while a move runs.
    void addCommands(QMenu* helpMenu, QWidget* window, SettingsStore& store);
    // Texts 240 and 241 of the two commands.
    void Sprache(const Language& language);
    // At the end of a game with the verdict on: a statistics line with the
    // best score found, filled in when the search answers.
    void addVerdictTo(frmHighscore& dialog, const Language& language) const;

    // A new board: searches and outline end, the board is the verdict's start.
    void boardBuilt();
    // A click on the board: the outline and a pending hint go.
    void boardTouched();
    // Searches from the board as it stands; the outline appears when the
    // answer comes and the board is still the same.
    void requestHint();

    void setVerdictEnabled(bool on);
    bool verdictEnabled() const { return verdictOn_; }
    // The best final score found from the board's start; nothing while the
    // search runs or when the verdict is off.
    std::optional<int64_t> verdict() const { return verdict_; }

    GroupOutline* outline() const { return outline_; }
    bool hintPending() const;

signals:
    void verdictReady(qint64 score);

private:
    void hintFound(const solver::Solution& solution);
    void startVerdict();

    const Game& game_;
    GroupOutline* outline_;
    QAction* mnuHint_ = nullptr;
    QAction* mnuVerdict_ = nullptr;
    solver::SolverTask* hintTask_;
    solver::SolverTask* verdictTask_;
    solver::Position start_;
    solver::Position hintFrom_;
    bool verdictOn_ = false;
    std::optional<int64_t> verdict_;
};

} // namespace tavro
