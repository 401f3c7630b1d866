#include "ui/main/SymbolsExtra.h"

#include "common/AppState.h"
#include "settings/SettingsSchema.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tavro {

SymbolsExtra::SymbolsExtra(AppState& state, QMenu* menu, QWidget* window)
    : QObject(window), state_(state) {
    menu->addSeparator();
    action_ = menu->addAction(QStringLiteral("Symbols on blocks"));
    action_->setCheckable(true);
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    action_->setShortcutContext(Qt::WindowShortcut);
    action_->setShortcutVisibleInContextMenu(true);
    window->addAction(action_);
    // A damaged value leaves the extra off: an extra never raises an error report.
    loadSection(state_.store, kExtrasSection, state_.settings);
    action_->setChecked(state_.settings.Symbols);
    connect(action_, &QAction::toggled, this, [this](bool checked) {
        remember(checked);
        emit toggled(checked);
    });
}

bool SymbolsExtra::enabled() const {
    return action_->isChecked();
}

void SymbolsExtra::remember(bool enabled) {
    state_.settings.Symbols = enabled;
    saveSettings(state_.store, state_.settings, {Setting::Symbols});
}

} // namespace tavro
