#include "app/Program.h"

#include "app/PlayerNotices.h"
#include "errors/ErrorTrap.h"
#include "game/GameNumber.h"
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
    QCoreApplication::instance()->installEventFilter(&windowOrder_);
    store_.setProblemHandler([this](const StoreProblem& problem) {
        tellPlayer([this, problem] { return storeNoticeText(state_.language, problem); });
    });
    state_.language.setProblemHandler([this](const FileProblem& problem) {
        tellPlayer([this, problem] { return languageFileNoticeText(state_.language, problem); });
    });
}

void Program::tellPlayer(std::function<QString()> text) {
    // Held back until Main has loaded the windows, then shown from the event
    // loop: the store or the text lookup never waits for the player's answer.
    pendingNotices_.append(std::move(text));
    if (mainStarted_)
        showNotices();
}

void Program::showNotices() {
    QTimer::singleShot(0, &noticeContext_, [this] {
        while (!pendingNotices_.isEmpty())
            state_.prompt.showMessage(QStringLiteral("Tavro"), pendingNotices_.takeFirst()());
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
        startupWindow_->show();
        // Put the start-up window on screen before the main window loads its
        // pictures, so the player sees something at once.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    trap.run([&] {
        mainWindow_ = new frmTavro(state_);
        mainWindow_->setShutdownHandler([this] { Shutdown(); });
        // When the last window has closed the program ends, even if a handler
        // is still on its way back (event loops started later return at once).
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, mainWindow_,
                         [] { QCoreApplication::exit(0); });
        // "--game N" starts with board N.
        const QStringList arguments = QCoreApplication::arguments();
        const qsizetype at = arguments.indexOf(QStringLiteral("--game"));
        if (at > 0 && at + 1 < arguments.size())
            if (const auto number = GameNumber::parse(arguments[at + 1].toStdString()))
                mainWindow_->setNextGameNumber(*number);
        if (startupWindow_ && startupWindow_->isVisible()) {
            startupWindow_->setMainWindow(mainWindow_);
        } else if (!state_.MainShown) {
            // The start-up window closed while loading was held up (an error
            // report was open): show the main window now, as it would have.
            mainWindow_->show();
            state_.MainShown = true;
        }
    });
    trap.run([&] {
        // Sound on (Form_Load has read it): the output opens in the background
        // now and is ready long before the first board.
        if (settings.Sound)
            sound_.prepare();
    });
    mainStarted_ = true;
    if (!pendingNotices_.isEmpty())
        showNotices();
    return result;
}

void Program::Shutdown() {
    ErrorTrap trap("basCommon", "Shutdown");
    trap.resumeNextSilently();

    QList<QPointer<QWidget>> windows;
    trap.run([&] {
        for (const QPointer<QWidget>& w : windowOrder_.newestFirst())
            if (w->isVisible() || w.data() == mainWindow_.data())
                windows.append(w);
        const QPointer<QWidget> main(mainWindow_.data());
        if (main && !windows.contains(main))
            windows.append(main); // loaded but never shown
    });
    // Newest first, in the order they were opened.
    for (const QPointer<QWidget>& window : windows) {
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
