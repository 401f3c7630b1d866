#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace tavro {

struct AppState;

// The extra "Symbols on blocks": a checkable entry of the help menu (below a
// separator, Ctrl+B) that draws a symbol per block type on every set, so
// that the game can be played without telling colours apart. The choice is
// kept in the store's section "Extras" under "Symbols" (0 off, -1 on; off by default).
class SymbolsExtra : public QObject {
    Q_OBJECT

public:
    static constexpr int kTextId = 250;

    // Adds the entry to `menu`; its shortcut works anywhere in `window`.
    SymbolsExtra(AppState& state, QMenu* menu, QWidget* window);

    bool enabled() const;
    QAction* action() const { return action_; }

signals:
    void toggled(bool enabled);

private:
    void remember(bool enabled);

    AppState& state_;
    QAction* action_;
};

} // namespace tavro
