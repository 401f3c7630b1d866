#include "ui/main/WindowPlacement.h"

#include "settings/SettingsSchema.h"
#include "ui/main/WindowLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <exception>

namespace tavro {

namespace {

// Room for the window frame around the inner area.
constexpr QSize kFrameAllowance{16, 48};

} // namespace

QList<QRect> WindowPlacement::availableAreas() {
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    return areas;
}

void WindowPlacement::restore(QWidget& window, const GameSettings& settings,
                              const QList<QRect>& screens) {
    const QRect screen = screens.value(0, QRect(0, 0, 1024, 768));
    const QSize least = innerSizeFor(WindowDesign::kDefaultBoard);
    QRect inner(settings.WindowLeft, settings.WindowTop, settings.WindowWidth,
                settings.WindowHeight);
    if (inner.isEmpty())
        inner =
            QRect(QPoint(), least).translated(screen.center() - QRect(QPoint(), least).center());
    inner.setSize(inner.size().expandedTo(least));
    // The frame goes around the inner area: bring the whole window on screen.
    const QRect outer = inner.adjusted(0, 0, kFrameAllowance.width(), kFrameAllowance.height());
    const QRect placed = bringOntoScreen(outer, screens);
    window.setGeometry(QRect(placed.topLeft(), placed.size() - kFrameAllowance));
    if (settings.WindowMaximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void WindowPlacement::save(const QWidget& window, GameSettings& settings, SettingsStore& store) {
    const QRect inner =
        window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    if (inner.isValid()) {
        settings.WindowLeft = static_cast<int16_t>(inner.left());
        settings.WindowTop = static_cast<int16_t>(inner.top());
        settings.WindowWidth = static_cast<int16_t>(inner.width());
        settings.WindowHeight = static_cast<int16_t>(inner.height());
    }
    settings.WindowMaximized = window.isMaximized();
    try {
        saveSettings(store, settings,
                     {Setting::WindowLeft, Setting::WindowTop, Setting::WindowWidth,
                      Setting::WindowHeight, Setting::WindowMaximized});
    } catch (const std::exception&) {
        // Not worth a report: the next start opens at the default place.
    }
}

} // namespace tavro
