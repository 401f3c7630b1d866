#include "ui/main/GroupPreview.h"

#include "common/Language.h"
#include "game/Game.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/GroupOutline.h"

#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace tavro {

namespace {
constexpr int kPointsText = 200; // "%1 blocks: %2 points"
}

GroupPreview::GroupPreview(QWidget* boardSurface, QLabel* notice, const Game& game,
                           const Language& language, int cellSize)
    : QObject(boardSurface), board_(boardSurface), notice_(notice), game_(game),
      language_(language), cellSize_(cellSize), outline_(new GroupOutline(boardSurface, cellSize)) {
    board_->installEventFilter(this);
}

QString GroupPreview::pointsText(const Language& language, int blocks) {
    return language.GetLang(kPointsText).arg(blocks).arg(int64_t(blocks) * blocks + 1);
}

void GroupPreview::setOn(bool on) {
    on_ = on;
    board_->setMouseTracking(on);
    refresh();
}

void GroupPreview::refresh() {
    shownCell_ = QPoint(-1, -1);
    if (!on_ || !board_->underMouse()) {
        clear();
        return;
    }
    showAt(board_->mapFromGlobal(QCursor::pos()));
}

bool GroupPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && on_) {
        if (event->type() == QEvent::MouseMove)
            showAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            clear();
    }
    return false;
}

void GroupPreview::showAt(QPoint position) {
    const QPoint inner = position - QPoint(BoardSurface::kBorder, BoardSurface::kBorder);
    const Board& board = game_.board();
    if (game_.isMoving() || inner.x() < 0 || inner.y() < 0 || board.cols() < 1 ||
        board.IsGameOver()) {
        clear();
        return;
    }
    const QPoint cell(inner.x() / cellSize_, inner.y() / cellSize_);
    if (cell == shownCell_)
        return; // the board has not changed since (refresh() forgets the cell)
    shownCell_ = cell;
    const BoardCells cells = Game::cellsOf(board);
    const std::vector<int> group = cells.groupAt(cell.x(), cell.y());
    // A lone block never forms a group, whatever the minimum.
    if (int(group.size()) < std::max(board.blocksToClick(), 2)) {
        clear();
        return;
    }
    std::vector<QPoint> points;
    for (int i : group)
        points.emplace_back(i / cells.rows, i % cells.rows);
    if (points != outline_->cells())
        outline_->showCells(std::move(points));
    if (!noticeTaken_) {
        savedNotice_ = notice_->text();
        noticeTaken_ = true;
    }
    notice_->setText(pointsText(language_, int(group.size())));
}

void GroupPreview::clear() {
    shownCell_ = QPoint(-1, -1);
    outline_->clear();
    if (noticeTaken_) {
        notice_->setText(savedNotice_);
        noticeTaken_ = false;
    }
}

} // namespace tavro
