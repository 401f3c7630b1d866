#pragma once

// Scripted prompt, recording sound and program state over an emptied real store.

#include "TestTools.h"
#include "common/AppState.h"
#include "common/Prompt.h"
#include "common/SoundPlayer.h"
#include "settings/SettingsStore.h"
#include "ui/dialogs/HighScoreTable.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <vector>

namespace tavro::test {

// Answers from the scripted lists; an unscripted question gets No or Cancel.
class ScriptedPrompt : public Prompt {
public:
    QList<bool> yesNoAnswers;
    QList<std::optional<QString>> textAnswers;
    QStringList questions, textPresets; // yes/no questions and name-box presets, in order
    QStringList messages;               // texts of the OK boxes, in order

    bool askYesNo(const QString&, const QString& question) override {
        questions << question;
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    void showMessage(const QString&, const QString& text) override { messages << text; }
    std::optional<QString> askText(const QString&, const QString&, const QString& preset) override {
        textPresets << preset;
        return textAnswers.isEmpty() ? std::nullopt : textAnswers.takeFirst();
    }
};

class RecordingSound : public SoundPlayer {
public:
    std::vector<int> played;
    void PlayWAV(SoundId id) override { played.push_back(int(id)); }
};

// The test program's own store (see support/IsolatedConfig.cpp) emptied.
inline void wipeStore() {
    QFile::remove(SettingsStore().fileName());
}

// Places 1.. with the given scores, named "P<place>" with <place> blocks left.
inline HighScoreTable tableOf(std::initializer_list<int64_t> scores) {
    HighScoreTable table;
    for (int slot = 1; slot <= int(scores.size()); ++slot)
        table.setEntry(slot,
                       {QStringLiteral("P%1").arg(slot), scores.begin()[slot - 1], slot, true});
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
    ReportRecorder errors;

    explicit Fixture(int16_t languageId = 1) {
        state.programFolder = QCoreApplication::applicationDirPath();
        state.language.fillPaths(state.programFolder);
        // Cols, Rows, MaxCols, MaxRows, BlocksToClick, BlockTypes, BlockWidth, BlockHeight,
        // Blocks, BGColor, Board, Background, Sound, LanguageId.
        state.settings = {12, 7, 20, 15, 2, 4, 50, 50, 0, 0, 0, true, true, languageId};
    }
};

// Return on a dialog: a focused push button presses itself, any other focus
// presses the default button. The buttons' own actions are detached first, so
// only the presses are seen. Lists what went wrong, empty when nothing did.
inline QStringList returnKeyFaults(QDialog& dialog, QWidget* notAButton) {
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    QList<std::shared_ptr<QSignalSpy>> spies;
    for (QPushButton* button : buttons) {
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        spies << std::make_shared<QSignalSpy>(button, &QAbstractButton::clicked);
    }
    const auto pressed = [&] {
        QStringList names;
        for (qsizetype i = 0; i < buttons.size(); ++i)
            if (!spies[i]->isEmpty())
                names << buttons[i]->text();
        for (auto& spy : spies)
            spy->clear();
        return names;
    };
    QStringList faults;
    dialog.show();
    for (QPushButton* button : buttons) {
        if (!button->isVisible())
            continue;
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        if (const QStringList names = pressed(); names != QStringList{button->text()})
            faults << button->text() + QStringLiteral(" focused: pressed ") + names.join('+');
    }
    notAButton->setFocus();
    QTest::keyClick(notAButton, Qt::Key_Return);
    QStringList defaults;
    for (QPushButton* button : buttons)
        if (button->isDefault())
            defaults << button->text();
    if (const QStringList names = pressed(); names != defaults || names.isEmpty())
        faults << QStringLiteral("elsewhere: pressed ") + names.join('+');
    return faults;
}

} // namespace tavro::test
