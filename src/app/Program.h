#pragma once

#include "app/SingleInstance.h"
#include "app/WindowOrder.h"
#include "common/AppState.h"
#include "common/SoundPlayer.h"
#include "settings/SettingsStore.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/main/frmTavro.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

namespace tavro {

class MessageBoxPrompt;

// The program as a whole: its state, its windows, Main and Shutdown.
class Program {
public:
    // Uses the given prompt (tests script it) or message boxes when null.
    explicit Program(Prompt* prompt = nullptr);
    ~Program();

    enum class StartResult { Started, AlreadyRunning };

    // Main: single copy, language id and its correction, language-file paths,
    // the start-up window, the main window loaded hidden.
    StartResult Main();

    // Closes every window, newest first, and ends the program.
    void Shutdown();

    AppState& state() { return state_; }
    frmTavro* mainWindow() const { return mainWindow_; }
    frmInfo* startupWindow() const { return startupWindow_; }

    // "Sprache" above 10 is a locale id of old versions: divide by 1000, half to even.
    static int16_t correctLanguageId(int16_t stored);

private:
    // Shows a message about a file once the event loop runs.
    void tellPlayer(std::function<QString()> text);
    void showNotices();

    std::unique_ptr<MessageBoxPrompt> ownPrompt_;
    SettingsStore store_;
    SoundPlayer sound_;
    AppState state_;
    std::unique_ptr<SingleInstance> instance_;
    WindowOrder windowOrder_;
    QPointer<frmTavro> mainWindow_;
    QPointer<frmInfo> startupWindow_;
    QList<std::function<QString()>> pendingNotices_;
    bool mainStarted_ = false;
    QObject noticeContext_; // ends pending messages with the program
};

} // namespace tavro
