#include "ui/main/WindowPlacement.h"

#include "settings/SettingsStore.h"
#include "ui/main/WindowLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <exception>
#include <optional>

namespace tavro {

namespace {

const QString kSection = QStringLiteral("Window");

// Room for the window frame around the inner area.
constexpr QSize kFrameAllowance{16, 48};

std::optional<int> readValue(const SettingsStore& store, const char* key) {
    try {
        const QString text = store.read(kSection, QLatin1String(key), QString());
        if (text.isEmpty())
            return std::nullopt;
        return store.readInt(kSection, QLatin1String(key), 0);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

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

void WindowPlacement::restore(QWidget& window, const SettingsStore& store,
                              const QList<QRect>& screens) {
    const QRect screen = screens.value(0, QRect(0, 0, 1024, 768));
    const QSize least = innerSizeFor(WindowDesign::kDefaultBoard);
    const auto left = readValue(store, "Left"), top = readValue(store, "Top");
    const auto width = readValue(store, "Width"), height = readValue(store, "Height");

    QRect inner;
    if (left && top && width && height)
        inner = QRect(*left, *top, *width, *height);
    else
        inner =
            QRect(QPoint(), least).translated(screen.center() - QRect(QPoint(), least).center());
    inner.setSize(inner.size().expandedTo(least));
    // The frame goes around the inner area: bring the whole window on screen.
    const QRect outer = inner.adjusted(0, 0, kFrameAllowance.width(), kFrameAllowance.height());
    const QRect placed = bringOntoScreen(outer, screens);
    window.setGeometry(QRect(placed.topLeft(), placed.size() - kFrameAllowance));
    if (readValue(store, "Maximized").value_or(0) != 0)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void WindowPlacement::save(const QWidget& window, SettingsStore& store) {
    const QRect inner =
        window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    try {
        if (inner.isValid()) {
            store.writeInt(kSection, QStringLiteral("Left"), inner.left());
            store.writeInt(kSection, QStringLiteral("Top"), inner.top());
            store.writeInt(kSection, QStringLiteral("Width"), inner.width());
            store.writeInt(kSection, QStringLiteral("Height"), inner.height());
        }
        store.writeInt(kSection, QStringLiteral("Maximized"), window.isMaximized() ? 1 : 0);
    } catch (const std::exception&) {
        // Nothing to tell: the next start simply opens at the default place.
    }
}

} // namespace tavro
