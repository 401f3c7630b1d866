#pragma once

#include "settings/GameSettings.h"

#include <cstdint>
#include <initializer_list>
#include <span>

namespace tavro {

class SettingsStore;

// Every stored setting of GameSettings, in one table: its section, key,
// default, the range a value read from the store is brought into, and its
// field. Loading, clamping and saving all go through this table.
//
// To add a setting: add a field to GameSettings, an id below and a row in the
// table of SettingsSchema.cpp (same order). Extras keep their settings in
// section "Extras", the window its geometry in section "Window"; both are
// loaded with loadSection() and never reported when damaged.
enum class Setting : uint8_t {
    // Section "Settings", in the order the main window reads them.
    Sprache,
    BlockTypes,
    BlocksToClick,
    Cols,
    Rows,
    Blocks,
    Board,
    Background,
    BGColor,
    Sound,
    // Section "Extras"
    GroupPreview,
    Symbols,
    // Section "Window"
    WindowLeft,
    WindowTop,
    WindowWidth,
    WindowHeight,
    WindowMaximized,
};

struct SettingKey {
    enum class Clamp {
        Range, // into low..high
        None,  // taken as it is
        Flag,  // a bool field: any non-zero is true; true is stored as `storedTrue`
    };
    Setting id;
    const char* section;
    const char* key;
    int16_t defaultValue;
    Clamp clamp;
    int16_t low = 0;
    int16_t high = 0;
    int16_t GameSettings::*number = nullptr; // the field of a number
    bool GameSettings::*flag = nullptr;      // the field of a flag
    int16_t storedTrue = -1;
};

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kExtrasSection = "Extras";
inline constexpr const char* kWindowSection = "Window";

std::span<const SettingKey> settingKeys();
const SettingKey& settingKey(Setting id);

// Reads one setting into its field, clamped; the default when it is missing.
// Throws AppError when the stored text is no number (the field keeps its value).
void loadSetting(const SettingsStore& store, Setting id, GameSettings& settings);
// Reads every setting of a section; a text that is no number gives the default.
void loadSection(const SettingsStore& store, const char* section, GameSettings& settings);
// Stores the fields of the given settings in one save.
void saveSettings(SettingsStore& store, const GameSettings& settings,
                  std::initializer_list<Setting> ids);

// A language flag: takes id as the language and stores it, when it differs
// from the current one. True when the language changed.
bool setLanguage(SettingsStore& store, GameSettings& settings, int16_t id);

} // namespace tavro
