#include "app/Program.h"

#include "app/PlayerNotices.h"
#include "errors/ErrorTrap.h"
#include "settings/NumberConversion.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/MessageBoxPrompt.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/main/frmTavro.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace tavro {

namespace {

Prompt& promptOrOwn(Prompt* given, std::unique_ptr<MessageBoxPrompt>& own) {
    if (given)
        return *given;
    own = std::make_unique<MessageBoxPrompt>();
    return *own;
}

} // namespace

Program::Program(Prompt* prompt) : state_(store_, promptOrOwn(prompt, ownPrompt_), sound_) {
    state_.programFolder = QCoreApplication::applicationDirPath();
    store_.setProblemHandler([this](const StoreProblem& problem) {
        tellPlayer([this, problem] { return storeNoticeText(state_.language, problem); });
    });
    state_.language.setProblemHandler([this](const FileProblem& problem) {
        tellPlayer([this, problem] { return languageFileNoticeText(state_.language, problem); });
    });
}

void Program::tellPlayer(std::function<QString()> text) {
    // From the event loop: the language may not be settled yet, and the
    // store or the text lookup must not wait for the player's answer.
    QTimer::singleShot(0, &noticeContext_, [this, text = std::move(text)] {
        state_.prompt.showMessage(QStringLiteral("Tavro"), text());
    });
}

Program::~Program() {
    delete mainWindow_.data();
    delete startupWindow_.data();
}

int16_t Program::correctLanguageId(int16_t stored) {
    if (stored <= 10)
        return stored;
    return static_cast<int16_t>(roundHalfEven(stored / 1000.0));
}

Program::StartResult Program::Main() {
    ErrorTrap trap("basCommon", "Main");
    StartResult result = StartResult::Started;
    GameSettings& settings = state_.settings;

    trap.run([&] {
        const QString lockPath = QFileInfo(store_.fileName()).absolutePath() + "/tavro.lock";
        instance_ = std::make_unique<SingleInstance>(lockPath);
        switch (instance_->acquire()) {
        case SingleInstance::Result::AlreadyRunning:
            result = StartResult::AlreadyRunning;
            break;
        case SingleInstance::Result::Unavailable:
            // Without the lock another copy could save at the same time:
            // play on, but save nothing.
            store_.disableSaving(instance_->problem());
            break;
        case SingleInstance::Result::Acquired:
            break;
        }
    });
    if (result == StartResult::AlreadyRunning)
        return result;
    trap.run([&] { store_.open(); });

    trap.run([&] { loadSetting(store_, Setting::Sprache, settings); });
    trap.run([&] {
        if (settings.LanguageId > 10) {
            settings.LanguageId = correctLanguageId(settings.LanguageId);
            saveSettings(store_, settings, {Setting::Sprache});
        }
    });
    trap.run([&] { state_.language.fillPaths(state_.programFolder); });
    trap.run([&] { state_.StartupPending = true; });
    trap.run([&] {
        // The start-up window shows the main window when it closes; the main
        // window is created right after, long before its 2.5 s are up.
        startupWindow_ = new frmInfo(state_, nullptr);
        startupWindow_->setAttribute(Qt::WA_DeleteOnClose);
        startupWindow_->show();
        // Put the start-up window on screen before the main window loads its
        // pictures, so the player sees something at once.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    trap.run([&] {
        mainWindow_ = new frmTavro(state_);
        mainWindow_->setShutdownHandler([this] { Shutdown(); });
        if (startupWindow_) {
            startupWindow_->setMainWindow(mainWindow_);
        } else if (!state_.MainShown) {
            // The start-up window closed while loading was held up (an error
            // report was open): show the main window now, as it would have.
            mainWindow_->show();
            state_.MainShown = true;
        }
    });
    return result;
}

void Program::Shutdown() {
    ErrorTrap trap("basCommon", "Shutdown");
    trap.resumeNextSilently();

    QWidgetList windows;
    trap.run([&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() || w == mainWindow_)
                windows.append(w);
        }
    });
    // Newest first: the main window was loaded before any dialog it opened.
    for (qsizetype i = windows.size() - 1; i >= 0; --i) {
        QPointer<QWidget> window = windows.at(i);
        trap.run([&] {
            if (window)
                window->close();
        });
    }
    bool stillOpen = false;
    trap.run([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            stillOpen = stillOpen || w->isVisible();
    });
    if (stillOpen)
        std::_Exit(EXIT_SUCCESS);
    QCoreApplication::quit();
}

} // namespace tavro
