#include "ui/main/SolverAssist.h"

#include "common/Language.h"
#include "game/Game.h"
#include "settings/SettingsStore.h"
#include "solver/GamePosition.h"
#include "solver/SolverTask.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/main/GroupOutline.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <algorithm>

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

void SolverAssist::addCommands(QMenu* helpMenu, QWidget* window, SettingsStore& store) {
    helpMenu->addSeparator();
    mnuHint_ = helpMenu->addAction(QStringLiteral("Tipp"));
    mnuHint_->setObjectName(QStringLiteral("mnuHint"));
    mnuHint_->setShortcut(QKeySequence(Qt::Key_H));
    mnuVerdict_ = helpMenu->addAction(QStringLiteral("Bewertung nach jedem Spiel"));
    mnuVerdict_->setObjectName(QStringLiteral("mnuVerdict"));
    mnuVerdict_->setShortcut(QKeySequence(Qt::Key_V));
    mnuVerdict_->setCheckable(true);
    window->addAction(mnuHint_);
    window->addAction(mnuVerdict_);
    const bool on = store.read(QStringLiteral("Extras"), QStringLiteral("Verdict"), {}) == "1";
    mnuVerdict_->setChecked(on);
    setVerdictEnabled(on);
    connect(mnuHint_, &QAction::triggered, this, [this] {
        if (!game_.isMoving() && !game_.isGameOver())
            requestHint();
    });
    connect(mnuVerdict_, &QAction::triggered, this, [this, &store](bool checked) {
        if (game_.isMoving()) { // refused like the toolbar: the tick stays as it was
            mnuVerdict_->setChecked(!checked);
            return;
        }
        store.write(QStringLiteral("Extras"), QStringLiteral("Verdict"),
                    checked ? QStringLiteral("1") : QStringLiteral("0"));
        setVerdictEnabled(checked);
    });
}

void SolverAssist::Sprache(const Language& language) {
    if (mnuHint_)
        mnuHint_->setText(language.GetLang(240));
    if (mnuVerdict_)
        mnuVerdict_->setText(language.GetLang(241));
}

void SolverAssist::addVerdictTo(frmHighscore& dialog, const Language& language) const {
    if (!verdictOn_ || !game_.gameFinished())
        return;
    QLabel* value = dialog.addStatistic(language.GetLang(242), QStringLiteral("lblVerdict"));
    // A player who beat the search has found the best line known.
    const int64_t own = game_.score();
    if (verdict_) {
        value->setText(QString::number(std::max(*verdict_, own)));
        return;
    }
    value->setText(language.GetLang(243));
    const QPointer<QLabel> later(value);
    connect(this, &SolverAssist::verdictReady, value, [later, own](qint64 score) {
        if (later)
            later->setText(QString::number(std::max<qint64>(score, own)));
    });
}

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
