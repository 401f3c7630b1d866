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
constexpr SettingKey kKeys[] = {
    {Setting::Sprache, kSettingsSection, "Sprache", 0, Clamp::None, 0, 0, &S::LanguageId},
    {Setting::BlockTypes, kSettingsSection, "BlockTypes", 4, Clamp::Range, 3, 6, &S::BlockTypes},
    {Setting::BlocksToClick, kSettingsSection, "BlocksToClick", 2, Clamp::Range, 2, 4,
     &S::BlocksToClick},
    {Setting::Cols, kSettingsSection, "Cols", 12, Clamp::Range, 5, INT16_MAX, &S::Cols},
    {Setting::Rows, kSettingsSection, "Rows", 7, Clamp::Range, 5, INT16_MAX, &S::Rows},
    {Setting::Blocks, kSettingsSection, "Blocks", 0, Clamp::Range, 0, 13, &S::Blocks},
    {Setting::Board, kSettingsSection, "Board", 1, Clamp::Range, 0, 8, &S::Board},
    {Setting::Background, kSettingsSection, "Background", -1, Clamp::Boolean, 0, 0, &S::Background},
    {Setting::BGColor, kSettingsSection, "BGColor", 0, Clamp::Range, 0, 15, &S::BGColor},
    // Any non-zero is on; the options dialog stores 1, old versions -1.
    {Setting::Sound, kSettingsSection, "Sound", -1, Clamp::None, 0, 0, &S::Sound},
    {Setting::GroupPreview, kExtrasSection, "GroupPreview", 0, Clamp::Boolean, 0, 0,
     &S::GroupPreview},
    {Setting::Symbols, kExtrasSection, "Symbols", 0, Clamp::Boolean, 0, 0, &S::Symbols},
    // The window's place; a width or height of 0 means none is remembered.
    {Setting::WindowLeft, kWindowSection, "Left", 0, Clamp::None, 0, 0, &S::WindowLeft},
    {Setting::WindowTop, kWindowSection, "Top", 0, Clamp::None, 0, 0, &S::WindowTop},
    {Setting::WindowWidth, kWindowSection, "Width", 0, Clamp::Range, 0, INT16_MAX, &S::WindowWidth},
    {Setting::WindowHeight, kWindowSection, "Height", 0, Clamp::Range, 0, INT16_MAX,
     &S::WindowHeight},
    {Setting::WindowMaximized, kWindowSection, "Maximized", 0, Clamp::Boolean, 0, 0,
     &S::WindowMaximized},
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

int16_t clampSetting(const SettingKey& key, int16_t value) {
    switch (key.clamp) {
    case Clamp::Range:
        return std::clamp(value, key.low, key.high);
    case Clamp::Boolean:
        return value == 0 ? int16_t(0) : int16_t(-1);
    case Clamp::None:
        break;
    }
    return value;
}

void loadSetting(const SettingsStore& store, Setting id, GameSettings& settings) {
    const SettingKey& key = settingKey(id);
    settings.*key.field = clampSetting(
        key, store.readInt(QLatin1String(key.section), QLatin1String(key.key), key.defaultValue));
}

void loadSection(const SettingsStore& store, const char* section, GameSettings& settings) {
    for (const SettingKey& key : kKeys) {
        if (std::strcmp(key.section, section) != 0)
            continue;
        try {
            loadSetting(store, key.id, settings);
        } catch (const AppError&) {
            settings.*key.field = key.defaultValue;
        }
    }
}

void saveSettings(SettingsStore& store, const GameSettings& settings,
                  std::initializer_list<Setting> ids) {
    const SettingsStore::Batch batch(store);
    for (const Setting id : ids) {
        const SettingKey& key = settingKey(id);
        store.writeInt(QLatin1String(key.section), QLatin1String(key.key), settings.*key.field);
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
