#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace tavro {

class SettingsStore;

// The main window's size, position and maximised state between runs, kept in
// the store's section "Window" (keys Left, Top, Width, Height of the inner
// area when not maximised, and Maximized 0 or 1).
class WindowPlacement {
public:
    // Gives the hidden window its remembered place, at least as large as the
    // default board needs, brought onto a screen. Without a remembered place
    // it gets the default size, centred. Unreadable values count as missing.
    // `screens` are the screens' available areas, the primary one first.
    static void restore(QWidget& window, const SettingsStore& store,
                        const QList<QRect>& screens = availableAreas());
    // Remembers the place of a window that has been shown; write failures
    // are not reported (the place is a comfort, not a setting).
    static void save(const QWidget& window, SettingsStore& store);

    // The available areas of this system's screens, the primary one first.
    static QList<QRect> availableAreas();
};

} // namespace tavro
