#include "ui/main/SolverAssist.h"

#include "game/Game.h"
#include "solver/GamePosition.h"
#include "solver/SolverTask.h"
#include "ui/main/GroupOutline.h"

#include <QPoint>

namespace tavro {

SolverAssist::SolverAssist(const Game& game, QWidget* boardSurface, int cellSize, QObject* parent)
    : QObject(parent), game_(game), outline_(new GroupOutline(boardSurface, cellSize)),
      hintTask_(new solver::SolverTask(this)), verdictTask_(new solver::SolverTask(this)) {
    outline_->setObjectName(QStringLiteral("hintOutline"));
    // Gold, unlike the white of a preview outline.
    outline_->setColors(QColor(255, 204, 51), QColor(60, 30, 0, 170));
    connect(hintTask_, &solver::SolverTask::finished, this, &SolverAssist::hintFound);
    connect(verdictTask_, &solver::SolverTask::finished, this, [this](const solver::Solution& s) {
        verdict_ = s.score;
        emit verdictReady(s.score);
    });
}

SolverAssist::~SolverAssist() = default;

void SolverAssist::boardBuilt() {
    hintTask_->cancel();
    outline_->clear();
    start_ = solver::positionOf(game_.board());
    verdict_.reset();
    verdictTask_->cancel();
    if (verdictOn_)
        startVerdict();
}

void SolverAssist::boardTouched() {
    hintTask_->cancel();
    outline_->clear();
}

bool SolverAssist::hintPending() const {
    return hintTask_->isRunning();
}

void SolverAssist::requestHint() {
    outline_->clear();
    hintFrom_ = solver::positionOf(game_.board());
    hintTask_->start(hintFrom_, HintSeconds);
}

void SolverAssist::hintFound(const solver::Solution& solution) {
    const solver::Position now = solver::positionOf(game_.board());
    if (solution.moves.empty() || now.cells != hintFrom_.cells)
        return; // the game is over, or the board changed meanwhile
    std::vector<QPoint> cells;
    for (const solver::Move& m : solver::groupAt(now, solution.moves.front()))
        cells.emplace_back(m.col, m.row);
    outline_->showCells(std::move(cells));
}

void SolverAssist::setVerdictEnabled(bool on) {
    if (on == verdictOn_)
        return;
    verdictOn_ = on;
    verdict_.reset();
    verdictTask_->cancel();
    if (on && !start_.cells.empty())
        startVerdict();
}

void SolverAssist::startVerdict() {
    verdictTask_->start(start_, VerdictSeconds);
}

} // namespace tavro
