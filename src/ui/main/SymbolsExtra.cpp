#include "ui/main/SymbolsExtra.h"

#include "settings/SettingsStore.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tavro {

namespace {

const QString kSection = QStringLiteral("Extras");
const QString kKey = QStringLiteral("Symbols");

} // namespace

SymbolsExtra::SymbolsExtra(SettingsStore& store, QMenu* menu, QWidget* window)
    : QObject(window), store_(store) {
    menu->addSeparator();
    action_ = menu->addAction(QStringLiteral("Symbols on blocks"));
    action_->setCheckable(true);
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    action_->setShortcutContext(Qt::WindowShortcut);
    action_->setShortcutVisibleInContextMenu(true);
    window->addAction(action_);
    // Anything but "1" leaves the extra off: an extra never raises an error report.
    action_->setChecked(store_.read(kSection, kKey, QStringLiteral("0")).trimmed() == "1");
    connect(action_, &QAction::toggled, this, [this](bool checked) {
        remember(checked);
        emit toggled(checked);
    });
}

bool SymbolsExtra::enabled() const {
    return action_->isChecked();
}

QString SymbolsExtra::stripPath(int blockSet) const {
    return QStringLiteral(":/blocks/%1%2.png")
        .arg(enabled() ? QStringLiteral("symbols") : QStringLiteral("blocks"))
        .arg(blockSet, 2, 10, QLatin1Char('0'));
}

void SymbolsExtra::remember(bool enabled) {
    store_.writeInt(kSection, kKey, enabled ? 1 : 0);
}

} // namespace tavro
