#pragma once

#include <QObject>
#include <cstdint>
#include <optional>

class QAction;

namespace tavro {

struct AppState;
class frmTavro;
class GroupPreview;
class KeyboardCursor;
class EndBanner;

// The main window's extras, wired in one place: undo, redo and restart, the
// game-number window, the group preview, keyboard play and the end banner.
// Their commands sit in the help menu below a separator, with their
// shortcuts; none of them works during a move, where they are ignored like
// the toolbar. Settings live in the store's section "Extras".
class BoardExtras : public QObject {
    Q_OBJECT

public:
    BoardExtras(frmTavro& window, AppState& state);
    ~BoardExtras() override;

    // After a new board, a move, undo or redo: banner, cursor, preview and
    // the commands' enabled state follow the game.
    void boardChanged();
    // Texts of the current language.
    void Sprache();

    QAction* mnuUndo() const { return undo_; }
    QAction* mnuRedo() const { return redo_; }
    QAction* mnuRestart() const { return restart_; }
    QAction* mnuGameNumber() const { return number_; }
    QAction* mnuPreview() const { return preview_; }
    GroupPreview* preview() const { return groupPreview_; }
    KeyboardCursor* cursor() const { return cursor_; }
    EndBanner* banner() const { return banner_; }

    void undo();
    void redo();
    void restart();
    void showGameNumber();
    void setPreview(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildKeys();
    void cursorKey(int key);
    void removeUnderCursor();
    void updateBanner();

    frmTavro& window_;
    AppState& state_;
    GroupPreview* groupPreview_ = nullptr;
    KeyboardCursor* cursor_ = nullptr;
    EndBanner* banner_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* restart_ = nullptr;
    QAction* number_ = nullptr;
    QAction* preview_ = nullptr;
};

} // namespace tavro
