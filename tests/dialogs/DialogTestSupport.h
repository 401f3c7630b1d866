#pragma once

// Shared pieces of the dialog tests: a scripted prompt, a recording sound
// player and the program state over an emptied real settings store.

#include "common/AppState.h"
#include "common/Prompt.h"
#include "common/SoundPlayer.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsStore.h"
#include "ui/dialogs/HighScoreTable.h"

#include <QCoreApplication>
#include <QSettings>
#include <vector>

namespace tavro::test {

// Answers from the scripted lists; an unscripted question gets No or Cancel.
class ScriptedPrompt : public Prompt {
public:
    QList<bool> yesNoAnswers;
    QList<std::optional<QString>> textAnswers;
    QStringList questions, textPresets; // yes/no questions and name-box presets, in order

    bool askYesNo(const QString&, const QString& question) override {
        questions << question;
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    void showMessage(const QString&, const QString&) override {}
    std::optional<QString> askText(const QString&, const QString&, const QString& preset) override {
        textPresets << preset;
        return textAnswers.isEmpty() ? std::nullopt : textAnswers.takeFirst();
    }
};

class RecordingSound : public SoundPlayer {
public:
    std::vector<int> played;
    void PlayWAV(int id) override { played.push_back(id); }
};

inline void wipeStore() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavro", "Tavro").clear();
}

// Places 1.. with the given scores, named "P<place>" with <place> blocks left.
inline HighScoreTable tableOf(std::initializer_list<int64_t> scores) {
    HighScoreTable table;
    int slot = 0;
    for (int64_t score : scores) {
        ++slot;
        table.setEntry(slot, {QStringLiteral("P%1").arg(slot), score, slot, true});
    }
    return table;
}

// The program state over the emptied store, language files beside the test,
// a 12 x 7 board of 4 types; every error report is recorded and left.
struct Fixture {
    bool wiped = (wipeStore(), true);
    SettingsStore store;
    ScriptedPrompt prompt;
    RecordingSound sound;
    AppState state{store, prompt, sound};
    QStringList errors; // "module/procedure" of every report

    explicit Fixture(int16_t languageId = 1) {
        state.programFolder = QCoreApplication::applicationDirPath();
        state.language.fillPaths(state.programFolder);
        state.settings = {.Cols = 12,
                          .Rows = 7,
                          .MaxCols = 20,
                          .MaxRows = 15,
                          .BlocksToClick = 2,
                          .BlockTypes = 4,
                          .BlockWidth = 50,
                          .BlockHeight = 50,
                          .Background = -1,
                          .Sound = 1,
                          .LanguageId = languageId};
        setErrorHandler([this](const QString& module, const QString& procedure, const Failure&) {
            errors << module + u'/' + procedure;
            return int(Continue::Leave);
        });
    }
    ~Fixture() { setErrorHandler(nullptr); }
};

} // namespace tavro::test
