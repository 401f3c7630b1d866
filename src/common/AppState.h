#pragma once

#include "common/Language.h"
#include "common/QtTranslations.h"
#include "settings/GameSettings.h"

#include <QSize>
#include <QString>

namespace tavro {

class SettingsStore;
class Prompt;
class SoundPlayer;

// Program-wide state: created by Main, alive for the whole run, handed to the
// windows by reference.
struct AppState {
    AppState(SettingsStore& store, Prompt& prompt, SoundPlayer& sound)
        : store(store), prompt(prompt), sound(sound) {}

    GameSettings settings;
    Language language{settings.LanguageId};
    QtTranslations qtTexts{settings.LanguageId}; // Qt's own buttons follow the language
    SettingsStore& store;
    Prompt& prompt;
    SoundPlayer& sound;
    QString programFolder; // folder of the executable, no trailing separator
    bool StartupPending = false;
    bool MainShown = false;
    QString lastPlayerName; // answer of the last high-score name box
    // The board size the player chose (the stored Cols and Rows); the window
    // shows as much of it as fits and gets it back when it grows again.
    QSize chosenBoard;
};

} // namespace tavro
