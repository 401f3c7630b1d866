#include "ui/main/BoardExtras.h"

#include "common/AppState.h"
#include "game/Game.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/frmGameNumber.h"
#include "ui/main/EndBanner.h"
#include "ui/main/GroupPreview.h"
#include "ui/main/KeyboardCursor.h"
#include "ui/main/frmTavro.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

namespace tavro {

namespace {

constexpr int kCellSize = 50;

} // namespace

BoardExtras::BoardExtras(frmTavro& window, AppState& state)
    : QObject(&window), window_(window), state_(state) {
    BoardSurface* board = window_.picBoard();
    groupPreview_ =
        new GroupPreview(board, window_.lblCopyright(), window_.game(), state_.language, kCellSize);
    cursor_ = new KeyboardCursor(board, kCellSize);
    banner_ = new EndBanner(&window_);
    board->installEventFilter(this);
    // Queued: at the end of a move the numbers are shown while the move still runs.
    connect(&window_, &frmTavro::numbersShown, this, &BoardExtras::boardChanged,
            Qt::QueuedConnection);
    buildMenu();
    buildKeys();
    loadSection(state_.store, kExtrasSection, state_.settings);
    const bool previewOn = state_.settings.GroupPreview;
    preview_->setChecked(previewOn);
    groupPreview_->setOn(previewOn);
    Sprache();
}

void BoardExtras::buildMenu() {
    QMenu* menu = window_.mnuHelp();
    menu->addSeparator();
    const auto add = [&](const QList<QKeySequence>& keys, auto slot) {
        QAction* action = menu->addAction(QString());
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window_.addAction(action); // the shortcuts work with the menu closed
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    undo_ = add({QKeySequence(Qt::CTRL | Qt::Key_Z)}, &BoardExtras::undo);
    redo_ =
        add({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
            &BoardExtras::redo);
    restart_ = add({QKeySequence(Qt::CTRL | Qt::Key_R)}, &BoardExtras::restart);
    number_ = add({QKeySequence(Qt::CTRL | Qt::Key_G)}, &BoardExtras::showGameNumber);
    preview_ = add({}, [this] { setPreview(preview_->isChecked()); });
    preview_->setCheckable(true);
    undo_->setObjectName(QStringLiteral("mnuUndo"));
    redo_->setObjectName(QStringLiteral("mnuRedo"));
    restart_->setObjectName(QStringLiteral("mnuRestart"));
    number_->setObjectName(QStringLiteral("mnuGameNumber"));
    preview_->setObjectName(QStringLiteral("mnuPreview"));
}

void BoardExtras::buildKeys() {
    for (int key :
         {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) {
        auto* shortcut = new QShortcut(QKeySequence(key), &window_);
        connect(shortcut, &QShortcut::activated, this, [this, key] { cursorKey(key); });
    }
    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), &window_);
        connect(shortcut, &QShortcut::activated, this, &BoardExtras::removeUnderCursor);
    }
}

void BoardExtras::Sprache() {
    const Language& lang = state_.language;
    undo_->setText(lang.GetLang(201));
    redo_->setText(lang.GetLang(202));
    restart_->setText(lang.GetLang(203));
    number_->setText(lang.GetLang(204));
    preview_->setText(lang.GetLang(205));
    if (banner_->isVisible())
        updateBanner();
}

void BoardExtras::boardChanged() {
    const Game& game = window_.game();
    undo_->setEnabled(game.history().canUndo());
    redo_->setEnabled(game.history().canRedo());
    cursor_->fitTo(QSize(game.board().cols(), game.board().rows()));
    groupPreview_->refresh();
    updateBanner();
}

void BoardExtras::updateBanner() {
    const Game& game = window_.game();
    if (game.isMoving() || !game.isGameOver() || game.board().cols() < 1) {
        banner_->hide();
        return;
    }
    const bool cleared = game.blocksLeft() == 0;
    banner_->showOver(window_.picBoard()->geometry(),
                      EndBanner::texts(state_.language, game.score(), cleared,
                                       cleared ? game.clearingBonusGiven() : 0));
}

void BoardExtras::undo() {
    if (window_.isMoving())
        return;
    window_.game().undo();
    boardChanged();
}

void BoardExtras::redo() {
    if (window_.isMoving())
        return;
    window_.game().redo();
    boardChanged();
}

void BoardExtras::restart() {
    if (window_.isMoving())
        return;
    window_.startGame(window_.game().gameNumber());
    window_.game().setHistoryUsed();
    boardChanged();
}

void BoardExtras::showGameNumber() {
    if (window_.isMoving())
        return;
    frmGameNumber dialog(state_, window_.game().gameNumber(), &window_);
    if (dialog.exec() == QDialog::Accepted && dialog.chosenNumber() && !window_.isMoving())
        window_.startGame(*dialog.chosenNumber());
}

void BoardExtras::setPreview(bool on) {
    if (window_.isMoving()) {
        preview_->setChecked(groupPreview_->isOn());
        return;
    }
    preview_->setChecked(on);
    if (on != groupPreview_->isOn()) {
        state_.settings.GroupPreview = on;
        saveSettings(state_.store, state_.settings, {Setting::GroupPreview});
    }
    groupPreview_->setOn(on);
}

void BoardExtras::cursorKey(int key) {
    if (window_.isMoving())
        return;
    const Board& board = window_.game().board();
    if (cursor_->handleKey(key, QSize(board.cols(), board.rows())))
        window_.picBoard()->setMouseTracking(true); // a mouse move hides it again
}

// A key press stands for a release over the cursor's cell: the same handler,
// sounds and refusals as a click.
void BoardExtras::removeUnderCursor() {
    if (!cursor_->isShown())
        return;
    window_.boardReleased(cursor_->cellCentre());
}

// The preview watches the board and reads the game: it goes with the extras,
// before the window takes the board and the game down.
BoardExtras::~BoardExtras() {
    delete groupPreview_;
}

bool BoardExtras::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == window_.picBoard() && cursor_->isShown() &&
        (type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
         type == QEvent::MouseButtonRelease)) {
        cursor_->hideCursor();
        window_.picBoard()->setMouseTracking(groupPreview_->isOn());
    }
    return false;
}

} // namespace tavro
