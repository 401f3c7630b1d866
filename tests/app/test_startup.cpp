// Start-up of the program inside one process: the language id correction,
// the 2.5-second hand-over, the lock, and a store that cannot be written or read.
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "dialogs/DialogTestSupport.h"
#include "game/Game.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/main/frmTavro.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tavro;
using namespace tavro::test;

class TestStartup : public QObject {
    Q_OBJECT

    ScriptedPrompt prompt_;

private slots:
    void init() { wipeStore(); }

    // Stored Windows locale ids become language ids (thousands, halves to
    // even) and are stored back; an empty store starts German, writing nothing.
    void languageIdIsCorrectedAndStoredBack() {
        QStringList corrected;
        for (int stored : {1031, 1033, 2000, 3500, 2500, 6500, 10, 11, -5})
            corrected << QString::number(Program::correctLanguageId(int16_t(stored)));
        QCOMPARE(corrected.join(' '), QStringLiteral("1 1 2 4 2 6 10 0 -5"));
        {
            Program program(&prompt_);
            QCOMPARE(program.Main(), Program::StartResult::Started);
            QCOMPARE(program.state().settings.LanguageId, int16_t(0));
            const QSettings raw(program.state().store.fileName(), QSettings::IniFormat);
            QVERIFY(raw.allKeys().filter(QRegularExpression("^Settings/")).isEmpty());
        }
        SettingsStore().write("Settings", "Sprache", "1033");
        Program program(&prompt_);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(program.state().settings.LanguageId, int16_t(1));
        QCOMPARE(SettingsStore().read("Settings", "Sprache", "?"), QString("1"));
    }

    // The start-up window is shown first, the main window only when it has
    // closed itself after 2.5 seconds; its displays then show the new board.
    void startupWindowHandsOverAfterTwoAndAHalfSeconds() {
        Program program(&prompt_);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QPointer<frmInfo> info = program.startupWindow();
        frmTavro* main = program.mainWindow();
        QVERIFY(info && info->isVisible());
        QVERIFY(main && !main->isVisible());
        QVERIFY(!program.state().StartupPending);

        QTest::qWait(2300 - int(clock.elapsed()));
        QVERIFY(!main->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 2000);
        QVERIFY(clock.elapsed() >= 2500);
        QVERIFY(!info || !info->isVisible());
        QVERIFY(program.state().MainShown);
        QTRY_VERIFY(main->game().blocksLeft() > 0);
    }

    void secondProgramInSameStoreDoesNotStart() {
        Program first(&prompt_);
        QCOMPARE(first.Main(), Program::StartResult::Started);
        Program second(&prompt_);
        QCOMPARE(second.Main(), Program::StartResult::AlreadyRunning);
        QVERIFY(!second.mainWindow() && !second.startupWindow());
    }

    // Only a live copy holds the lock; whatever else lies at its path is
    // taken over, and a directory there keeps its content.
    void anyLockButALiveCopysIsTakenOver() {
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
                SingleInstance second(lock);
                QCOMPARE(second.acquire(), SingleInstance::Result::AlreadyRunning);
            }
            QVERIFY2(QFileInfo(lock).isFile(), qPrintable(QString::number(i)));
            QFile::remove(lock);
        }
        const QStringList aside = QDir(dir.path()).entryList({"tavro.lock.old-*"}, QDir::Dirs);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(dir.filePath(aside[0] + "/kept/f")), QByteArray("x"));

        // A copy of an earlier version holds its lock the same way.
        QLockFile earlier(lock);
        QVERIFY(earlier.tryLock(0));
        QCOMPARE(SingleInstance(lock).acquire(), SingleInstance::Result::AlreadyRunning);
    }

    // No lock can be made (the settings folder is a file): the game starts
    // and plays, and the player is told once, in German, what and why.
    void gameStartsWhenNothingCanBeSaved() {
        const QByteArray home = qgetenv("XDG_CONFIG_HOME");
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Tavro"), "mine"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        {
            Program program(&prompt_);
            QCOMPARE(program.Main(), Program::StartResult::Started);
            QVERIFY(program.mainWindow());
            saveSettings(program.state().store, program.state().settings, {Setting::Cols});
            QTRY_COMPARE(prompt_.messages.size(), 1);
            QVERIFY(prompt_.messages[0].startsWith(
                "Einstellungen und Bestenliste k\u00F6nnen in dieser Sitzung nicht gespeichert"));
            QVERIFY(prompt_.messages[0].contains(dir.filePath("Tavro") + "\nGrund: "));
            QTest::qWait(50);
            QCOMPARE(prompt_.messages.size(), 1);
        }
        qputenv("XDG_CONFIG_HOME", home);
        QCOMPARE(readFile(dir.filePath("Tavro")), QByteArray("mine"));
        prompt_.messages.clear();
    }

    // A store with a stray line before its sections: the rest is read, the
    // file kept aside, and the player told where the copy is.
    void damagedStoreIsReadAndKeptAside() {
        const QByteArray damaged = "\"\n[Settings]\nSprache=1\nCols=20\n";
        QVERIFY(writeFile(SettingsStore().fileName(), damaged));
        Program program(&prompt_);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(program.state().settings.LanguageId, int16_t(1));
        QCOMPARE(program.state().settings.Cols, int16_t(20));
        QTRY_COMPARE(prompt_.messages.size(), 1);
        const QStringList lines = prompt_.messages[0].split(u'\n');
        QVERIFY(lines[0].startsWith("The settings file could not be read completely."));
        QCOMPARE(readFile(lines.value(2)), damaged);
        prompt_.messages.clear();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
