#pragma once

#include "common/Language.h"
#include "settings/GameSettings.h"

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
    SettingsStore& store;
    Prompt& prompt;
    SoundPlayer& sound;
    QString programFolder; // folder of the executable, no trailing separator
    bool StartupPending = false;
    bool MainShown = false;
    QString lastPlayerName; // answer of the last high-score name box
};

} // namespace tavro
