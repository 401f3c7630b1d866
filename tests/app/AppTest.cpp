// The whole program: start-up, single copy, store problems, reports, shut-down.
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "dialogs/DialogTestSupport.h"
#include "errors/AppError.h"
#include "game/Game.h"
#include "settings/SettingsSchema.h"
#include "ui/main/PictureButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>

using namespace tavro;
using namespace tavro::test;

namespace {

const char* const kScenario = "TAVRO_TEST_REPORT_CHOICE";

// The child: "Sprache=-1" makes the start-up texts fail; the first report
// stays open past the start-up window's time, then answers `choice`.
int reportScenario(int choice) {
    std::atexit([] { std::puts("exit handler"); }); // End skips it
    SettingsStore().write("Settings", "Sprache", "-1");
    int reports = 0;
    setErrorHandler([&](const QString& module, const QString& procedure, const Failure&) {
        if (reports++ > 0)
            return int(Continue::Ignore);
        std::printf("report %s.%s\n", qPrintable(module), qPrintable(procedure));
        std::fflush(stdout);
        QEventLoop modal;
        QTimer::singleShot(frmInfo::kStartupMilliseconds + 700, &modal, &QEventLoop::quit);
        modal.exec();
        return choice;
    });
    ScriptedPrompt prompt;
    Program program(&prompt);
    program.Main();
    QTimer::singleShot(1000, [&] {
        const bool up = program.mainWindow() && program.mainWindow()->isVisible();
        std::printf(up ? "main window\n" : "no main window\n");
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT

    ScriptedPrompt prompt_;
    std::unique_ptr<Program> program_;

    // A new program (the one before ends first), at its main window if `toMain`.
    Program& start(bool toMain = false) {
        program_.reset();
        program_ = std::make_unique<Program>(&prompt_);
        if (program_->Main() != Program::StartResult::Started)
            QTest::qFail("the program did not start", __FILE__, __LINE__);
        else if (toMain)
            program_->startupWindow()->accept();
        return *program_;
    }

private slots:
    void init() {
        wipeStore();
        prompt_.messages.clear();
    }
    void cleanup() { program_.reset(); }

    // The main window shows once the start-up window has closed, also early.
    void startupWindowHandsOver() {
        for (const bool escape : {true, false}) {
            Program& program = start();
            QPointer<frmInfo> info = program.startupWindow();
            frmTavro* main = program.mainWindow();
            QVERIFY(info && info->isVisible() && !main->isVisible());
            QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
            bool mainUpWhenGone = false; // never without a window
            connect(info, &QDialog::finished, [&] { mainUpWhenGone = main->isVisible(); });
            escape ? QTest::keyClick(info, Qt::Key_Escape) : (void)info->close();
            QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 1000); // before the timer
            QVERIFY(mainUpWhenGone);
            QTRY_VERIFY(info.isNull()); // deleted from the event loop
            QTRY_VERIFY(main->game().blocksLeft() > 0);
            QCOMPARE(lastClosed.count(), 0); // the program goes on
        }
    }

    // Each choice in a child process, since End ends the process.
    void reportOpenAcrossTheStartupTimer() {
        QProcess children[4]; // Retry, Ignore, Leave, End
        for (int choice = 0; choice < 4; ++choice) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(kScenario, QString::number(choice));
            children[choice].setProcessEnvironment(env);
            children[choice].start(QCoreApplication::applicationFilePath(), {});
        }
        for (int choice = 0; choice < 4; ++choice) {
            QProcess& child = children[choice];
            if (!child.waitForFinished(20000))
                child.kill(), child.waitForFinished();
            const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
            const QString err = QString::fromLocal8Bit(child.readAllStandardError());
            const bool ends = choice == int(Continue::End);
            QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == int(ends) &&
                         !err.contains("Sanitizer") &&
                         out == "report basCommon.GetLang\n" +
                                    QString(ends ? "" : "main window\nexit handler\n"),
                     qPrintable(QString::number(child.exitCode()) + '\n' + out + err));
        }
    }

    // Only a live copy holds the lock: whatever else lies at its path is
    // taken over, a directory kept aside with its content.
    void onlyALiveCopyHoldsTheLock() {
        QTemporaryDir dir;
        const QString lock = dir.filePath("tavro.lock");
        const QByteArray name = QFile::encodeName(lock);
        const QList<std::function<bool()>> obstacles = {
            [&] { return writeFile(lock, ""); },
            [&] { return writeFile(lock, QByteArray("\x93\0\xff\n\x01garbage", 12)); },
            [&] { return writeFile(lock, "4242\nTavro\nanother-host\n"); },
            [&] { return writeFile(lock, "1\nTavro\n\n") && ::chmod(name, 0) == 0; },
            [&] { return QDir().mkpath(lock + "/kept") && writeFile(lock + "/kept/f", "x"); },
            [&] { return ::mkfifo(name, 0644) == 0; },
            [&] { return QFile::link("/dev/null", lock); },
        };
        for (int i = 0; i < obstacles.size(); ++i) {
            QVERIFY(obstacles[i]());
            {
                SingleInstance first(lock);
                QCOMPARE(first.acquire(), SingleInstance::Result::Acquired);
                QCOMPARE(SingleInstance(lock).acquire(), SingleInstance::Result::AlreadyRunning);
            }
            QVERIFY2(QFileInfo(lock).isFile(), qPrintable(QString::number(i)));
            QFile::remove(lock);
        }
        const QStringList aside = QDir(dir.path()).entryList({"tavro.lock.old-*"}, QDir::Dirs);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(dir.filePath(aside[0] + "/kept/f")), QByteArray("x"));
        QLockFile earlier(lock); // a copy of an earlier version
        QVERIFY(earlier.tryLock(0));
        QCOMPARE(SingleInstance(lock).acquire(), SingleInstance::Result::AlreadyRunning);
    }

    // A settings folder that is a file: the game plays, the player is told
    // once why. A damaged store: told where the copy is, in the language of
    // its Windows locale id (thousands, halves to even), which is stored back.
    void storeProblemsAreToldOnce() {
        QStringList corrected;
        for (int stored : {1031, 1033, 2000, 3500, 2500, 6500, 10, 11, -5})
            corrected << QString::number(Program::correctLanguageId(int16_t(stored)));
        QCOMPARE(corrected.join(' '), QStringLiteral("1 1 2 4 2 6 10 0 -5"));
        const QByteArray home = qgetenv("XDG_CONFIG_HOME");
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Tavro"), "mine"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        Program& program = start();
        saveSettings(program.state().store, program.state().settings, {Setting::Cols});
        QTRY_COMPARE(prompt_.messages.size(), 1);
        QVERIFY(prompt_.messages[0].startsWith(
            "Einstellungen und Bestenliste k\u00F6nnen in dieser Sitzung nicht gespeichert"));
        QVERIFY(prompt_.messages[0].contains(dir.filePath("Tavro") + "\nGrund: "));
        QTest::qWait(50);
        QCOMPARE(prompt_.messages.size(), 1);
        program_.reset();
        qputenv("XDG_CONFIG_HOME", home);
        QCOMPARE(readFile(dir.filePath("Tavro")), QByteArray("mine"));

        prompt_.messages.clear();
        const QByteArray damaged = "\"\n[Settings]\nSprache=1033\nCols=20\n";
        QVERIFY(writeFile(SettingsStore().fileName(), damaged));
        QCOMPARE(start().state().settings.Cols, int16_t(20));
        QTRY_COMPARE(prompt_.messages.size(), 1);
        const QStringList lines = prompt_.messages[0].split(u'\n');
        QVERIFY(lines[0].startsWith("The settings file could not be read completely."));
        QCOMPARE(readFile(lines.value(2)), damaged);
        QCOMPARE(SettingsStore().read("Settings", "Sprache", "?"), QString("1"));
    }

    // Leaving Form_Load skips the rest but keeps the window's size; two failed
    // reads report their own lines; a board too large leaves InitGame.
    void reportsDuringLoading() {
        const QSize usual = start().mainWindow()->size();
        QVERIFY(!program_->mainWindow()->cmdBut(0)->toolTip().isEmpty());
        SettingsStore().write("Settings", "Cols", "abc");
        ReportRecorder recorder; // leaves
        start();
        QCOMPARE(recorder.reports, QStringList{"frmTavro/Form_Load"});
        QCOMPARE(program_->mainWindow()->size(), usual);
        QVERIFY(program_->mainWindow()->cmdBut(0)->toolTip().isEmpty());
        QCOMPARE(program_->state().settings.Rows, int16_t(0)); // never read

        wipeStore();
        SettingsStore().write("Settings", "BlockTypes", "abc");
        SettingsStore().write("Settings", "Rows", "xyz");
        recorder.reports.clear();
        recorder.failures.clear();
        recorder.answer = [] { return int(Continue::Ignore); };
        Program& program = start(true);
        QCOMPARE(recorder.reports, QStringList({"frmTavro/Form_Load", "frmTavro/Form_Load"}));
        const int first = recorder.failures.at(0).line, second = recorder.failures.at(1).line;
        QVERIFY2(first > 0 && second > first, qPrintable(QString("%1 %2").arg(first).arg(second)));

        QSignalSpy built(program.mainWindow(), &frmTavro::boardBuilt);
        program.state().settings.Cols = 200; // 40,000 cells: too many
        program.state().settings.Rows = 200;
        recorder.answer = [] { return int(Continue::Leave); };
        program.mainWindow()->InitGame();
        QCOMPARE(recorder.reports.value(2), QString("frmTavro/InitGame"));
        QCOMPARE(recorder.failures.value(2).number, int(AppError::Overflow));
        QCOMPARE(built.count(), 0);
    }

    // Shut-down closes newest first, a window shown again counting as new.
    void shutdownClosesNewestFirst() {
        Program& program = start(true);
        QWidget first, second, third;
        for (QWidget* window : {&first, &second, &third, &first})
            window->hide(), window->show();
        const QList<QObject*> expected{&first, &third, &second, program.mainWindow()};
        QList<QObject*> closed;
        struct Recorder : QObject {
            QList<QObject*>& closed;
            explicit Recorder(QList<QObject*>& c) : closed(c) { qApp->installEventFilter(this); }
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() == QEvent::Close && watched->isWidgetType() &&
                    static_cast<QWidget*>(watched)->isWindow() && !closed.contains(watched))
                    closed.append(watched);
                return false;
            }
        } recorder(closed);
        program.Shutdown();
        QCOMPARE(closed, expected);
    }

    // A toolbar click and a close in one batch: the program ends, no window left.
    void toolbarClickAndCloseInOneBatchEndTheProgram() {
        for (int button : {0, 3, 5, 6, 7}) {
            frmTavro* main = start(true).mainWindow();
            QMetaObject::invokeMethod(
                main,
                [main, button] {
                    QCoreApplication::postEvent(main->windowHandle(), new QCloseEvent);
                    main->cmdBut_Click(button);
                },
                Qt::QueuedConnection);
            QObject watchdog; // fails instead of hanging
            QTimer::singleShot(5000, &watchdog, [] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    w->close();
                QCoreApplication::exit(2);
            });
            QCOMPARE(QApplication::exec(), 0);
            for (QWidget* w : QApplication::topLevelWidgets())
                QVERIFY2(!w->isVisible(),
                         qPrintable(QString::number(button) + ' ' + w->metaObject()->className()));
        }
    }
};

// Settings isolated by support/IsolatedConfig.cpp, in each child too.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavro"));
    QApplication::setApplicationName(QStringLiteral("Tavro"));
    if (qEnvironmentVariableIsSet(kScenario))
        return reportScenario(qEnvironmentVariableIntValue(kScenario));
    AppTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AppTest.moc"
