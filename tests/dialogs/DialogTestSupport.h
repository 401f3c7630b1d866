#pragma once

// Shared fixtures of the dialog tests: a scripted prompt, a recording sound
// player and the program state over the real settings store.

#include "common/AppState.h"
#include "common/Prompt.h"
#include "common/SoundPlayer.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <deque>
#include <vector>

namespace tavro::test {

class ScriptedPrompt : public Prompt {
public:
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> textAnswers;
    QStringList questions;   // askYesNo texts in order
    QStringList textPresets; // presets of the name boxes in order
    int unexpected = 0;      // questions without a scripted answer

    bool askYesNo(const QString&, const QString& question) override {
        questions << question;
        if (yesNoAnswers.empty()) {
            ++unexpected;
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void showMessage(const QString&, const QString&) override { ++unexpected; }
    std::optional<QString> askText(const QString&, const QString&, const QString& preset) override {
        textPresets << preset;
        if (textAnswers.empty()) {
            ++unexpected;
            return std::nullopt;
        }
        const bool cancelled = !textAnswers.front().has_value();
        const QString text = textAnswers.front().value_or(QString());
        textAnswers.pop_front();
        if (cancelled)
            return std::nullopt;
        return text;
    }
};

class RecordingSound : public SoundPlayer {
public:
    std::vector<int> played;
    void PlayWAV(int id) override { played.push_back(id); }
};

// A fresh program state over the real store, with an empty store file and
// the language files beside the test executable.
inline bool wipeStore() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavro"),
                       QStringLiteral("Tavro"));
    settings.clear();
    settings.sync();
    return true;
}

struct Fixture {
    bool wiped = wipeStore();
    SettingsStore store;
    ScriptedPrompt prompt;
    RecordingSound sound;
    AppState state{store, prompt, sound};
    QStringList errors; // "module/procedure" of every reported failure

    explicit Fixture(int16_t languageId = 1) {
        state.programFolder = QCoreApplication::applicationDirPath();
        state.language.fillPaths(state.programFolder);
        GameSettings& s = state.settings;
        s.LanguageId = languageId;
        s.Cols = 12;
        s.Rows = 7;
        s.MaxCols = 20;
        s.MaxRows = 15;
        s.BlockTypes = 4;
        s.BlocksToClick = 2;
        s.Background = -1;
        s.Sound = 1;
        s.BlockWidth = s.BlockHeight = 50;
        setErrorHandler([this](const QString& module, const QString& procedure, const Failure&) {
            errors << module + u'/' + procedure;
            return int(Continue::Leave);
        });
    }
    ~Fixture() { setErrorHandler(nullptr); }
};

} // namespace tavro::test
