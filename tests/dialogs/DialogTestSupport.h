#pragma once

// Recording sound and program state over an emptied real store.

#include "TestTools.h"
#include "common/AppState.h"
#include "common/SoundPlayer.h"
#include "ui/dialogs/HighScoreTable.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <vector>

namespace tavro::test {

class RecordingSound : public SoundPlayer {
public:
    std::vector<int> played;
    void PlayWAV(SoundId id) override { played.push_back(int(id)); }
};

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
        state.settings = {12, 7, 20, 15, 2, 4, 50, 50, 0, 0, 0, true, true, languageId};
    }
};

} // namespace tavro::test
