#include "settings/SettingsSchema.h"

#include "errors/AppError.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tavro {

namespace {

using Clamp = SettingKey::Clamp;
using S = GameSettings;

// Ranges are what the dialogs and pickers can produce; Cols and Rows have no
// upper bound here, the layout lowers them to what fits. "Sprache" is not
// clamped: an id without a language simply has no texts.
constexpr SettingKey number(Setting id, const char* section, const char* key, int16_t defaultValue,
                            Clamp clamp, int16_t low, int16_t high, int16_t S::*field) {
    return {id, section, key, defaultValue, clamp, low, high, field, nullptr};
}

// A flag: read as true when not 0; written as storedTrue or 0.
constexpr SettingKey flag(Setting id, const char* section, const char* key, bool defaultValue,
                          int16_t storedTrue, bool S::*field) {
    return {id,      section, key,       int16_t(defaultValue ? -1 : 0), Clamp::Flag, 0, 0,
            nullptr, field,   storedTrue};
}

// Ranges are what the dialogs and pickers can produce; Cols and Rows have no
// upper bound here, the layout lowers them to what fits. "Sprache" is not
// clamped: an id without a language simply has no texts.
constexpr SettingKey kKeys[] = {
    number(Setting::Sprache, kSettingsSection, "Sprache", 0, Clamp::None, 0, 0, &S::LanguageId),
    number(Setting::BlockTypes, kSettingsSection, "BlockTypes", 4, Clamp::Range, 3, 6,
           &S::BlockTypes),
    number(Setting::BlocksToClick, kSettingsSection, "BlocksToClick", 2, Clamp::Range, 2, 4,
           &S::BlocksToClick),
    number(Setting::Cols, kSettingsSection, "Cols", 12, Clamp::Range, 5, INT16_MAX, &S::Cols),
    number(Setting::Rows, kSettingsSection, "Rows", 7, Clamp::Range, 5, INT16_MAX, &S::Rows),
    number(Setting::Blocks, kSettingsSection, "Blocks", 0, Clamp::Range, 0, 13, &S::Blocks),
    number(Setting::Board, kSettingsSection, "Board", 1, Clamp::Range, 0, 8, &S::Board),
    flag(Setting::Background, kSettingsSection, "Background", true, -1, &S::Background),
    number(Setting::BGColor, kSettingsSection, "BGColor", 0, Clamp::Range, 0, 15, &S::BGColor),
    // The options dialog stores 1 for on; old versions stored -1.
    flag(Setting::Sound, kSettingsSection, "Sound", true, 1, &S::Sound),
    flag(Setting::GroupPreview, kExtrasSection, "GroupPreview", false, -1, &S::GroupPreview),
    flag(Setting::Symbols, kExtrasSection, "Symbols", false, -1, &S::Symbols),
    // The window's place; a width or height of 0 means none is remembered.
    number(Setting::WindowLeft, kWindowSection, "Left", 0, Clamp::None, 0, 0, &S::WindowLeft),
    number(Setting::WindowTop, kWindowSection, "Top", 0, Clamp::None, 0, 0, &S::WindowTop),
    number(Setting::WindowWidth, kWindowSection, "Width", 0, Clamp::Range, 0, INT16_MAX,
           &S::WindowWidth),
    number(Setting::WindowHeight, kWindowSection, "Height", 0, Clamp::Range, 0, INT16_MAX,
           &S::WindowHeight),
    flag(Setting::WindowMaximized, kWindowSection, "Maximized", false, -1, &S::WindowMaximized),
};

constexpr bool idsInOrder() {
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        if (static_cast<size_t>(kKeys[i].id) != i)
            return false;
    }
    return true;
}
static_assert(idsInOrder(), "the rows of kKeys follow the order of Setting");

} // namespace

std::span<const SettingKey> settingKeys() {
    return kKeys;
}

const SettingKey& settingKey(Setting id) {
    return kKeys[static_cast<size_t>(id)];
}

namespace {

// Puts a value read from the store into the key's field.
void assign(const SettingKey& key, GameSettings& settings, int16_t value) {
    switch (key.clamp) {
    case Clamp::Range:
        settings.*key.number = std::clamp(value, key.low, key.high);
        break;
    case Clamp::None:
        settings.*key.number = value;
        break;
    case Clamp::Flag:
        settings.*key.flag = value != 0;
        break;
    }
}

// The value the store keeps for the key's field.
int16_t storedValue(const SettingKey& key, const GameSettings& settings) {
    if (key.clamp == Clamp::Flag)
        return settings.*key.flag ? key.storedTrue : int16_t(0);
    return settings.*key.number;
}

} // namespace

void loadSetting(const SettingsStore& store, Setting id, GameSettings& settings) {
    const SettingKey& key = settingKey(id);
    assign(key, settings,
           store.readInt(QLatin1String(key.section), QLatin1String(key.key), key.defaultValue));
}

void loadSection(const SettingsStore& store, const char* section, GameSettings& settings) {
    for (const SettingKey& key : kKeys) {
        if (std::strcmp(key.section, section) != 0)
            continue;
        try {
            loadSetting(store, key.id, settings);
        } catch (const AppError&) {
            assign(key, settings, key.defaultValue);
        }
    }
}

void saveSettings(SettingsStore& store, const GameSettings& settings,
                  std::initializer_list<Setting> ids) {
    const SettingsStore::Batch batch(store);
    for (const Setting id : ids) {
        const SettingKey& key = settingKey(id);
        store.writeInt(QLatin1String(key.section), QLatin1String(key.key),
                       storedValue(key, settings));
    }
}

bool setLanguage(SettingsStore& store, GameSettings& settings, int16_t id) {
    if (settings.LanguageId == id)
        return false;
    settings.LanguageId = id;
    saveSettings(store, settings, {Setting::Sprache});
    return true;
}

} // namespace tavro
