#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace tavro {

class SettingsStore;
struct GameSettings;

// The main window's size, position and maximised state between runs: the
// Window fields of GameSettings, stored in the section "Window".
class WindowPlacement {
public:
    // Gives the hidden window its remembered place, at least as large as the
    // default board needs, brought onto a screen. Without a remembered place
    // it gets the default size, centred on the first screen. `screens` are
    // the screens' available areas, the primary one first.
    static void restore(QWidget& window, const GameSettings& settings,
                        const QList<QRect>& screens = availableAreas());
    // Puts the place of the window into the settings and stores it.
    static void save(const QWidget& window, GameSettings& settings, SettingsStore& store);

    // The available areas of this system's screens, the primary one first.
    static QList<QRect> availableAreas();
};

} // namespace tavro
