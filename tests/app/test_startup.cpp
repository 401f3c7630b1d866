// Start-up and shut-down of the program inside one process: the language id
// correction, the order of windows and the 2.5-second hand-over.
#include "app/Program.h"
#include "common/Prompt.h"
#include "errors/ErrorTrap.h"
#include "game/Game.h"
#include "settings/SettingsStore.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/main/frmTavro.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace tavro;

namespace {

class SilentPrompt : public Prompt {
public:
    bool askYesNo(const QString&, const QString&) override { return true; }
    void showMessage(const QString&, const QString&) override {}
    std::optional<QString> askText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

void clearStore() {
    SettingsStore store;
    QFile::remove(store.fileName());
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void languageIdCorrection_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("1031 German") << 1031 << 1;
        QTest::newRow("1033 English") << 1033 << 1;
        QTest::newRow("2000") << 2000 << 2;
        QTest::newRow("3500 halves to even") << 3500 << 4;
        QTest::newRow("2500 halves to even") << 2500 << 2;
        QTest::newRow("6500") << 6500 << 6;
        QTest::newRow("10 stays") << 10 << 10;
        QTest::newRow("11 becomes 0") << 11 << 0;
        QTest::newRow("negative stays") << -5 << -5;
    }
    void languageIdCorrection() {
        QFETCH(int, stored);
        QFETCH(int, expected);
        QCOMPARE(Program::correctLanguageId(static_cast<int16_t>(stored)), expected);
    }

    void mainStoresCorrectedLanguageBack() {
        {
            SettingsStore store;
            store.write("Settings", "Sprache", "1033");
        }
        SilentPrompt prompt;
        Program program(&prompt);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(program.state().settings.LanguageId, int16_t(1));
        SettingsStore store;
        QCOMPARE(store.read("Settings", "Sprache", "?"), QString("1"));
        QVERIFY(program.state().language.LangFile[1].endsWith("lang/english.lng"));
        QVERIFY(program.state().language.LangFile[6].endsWith("lang/french.lng"));
        QVERIFY(program.state().language.LangFile[4].isEmpty());
    }

    void emptyStoreStartsGermanAndWritesNothing() {
        SilentPrompt prompt;
        Program program(&prompt);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        const GameSettings& s = program.state().settings;
        QCOMPARE(s.LanguageId, int16_t(0));
        QCOMPARE(s.Cols, int16_t(12));
        QCOMPARE(s.Rows, int16_t(7));
        QCOMPARE(s.BlockTypes, int16_t(4));
        QCOMPARE(s.BlocksToClick, int16_t(2));
        QVERIFY(s.Sound != 0);
        QSettings raw(program.state().store.fileName(), QSettings::IniFormat);
        raw.beginGroup("Settings");
        QVERIFY(raw.childKeys().isEmpty());
    }

    // The start-up window is shown first, the main window only when it has
    // closed itself after 2.5 seconds; its displays then show the new board.
    void startupWindowHandsOverAfterTwoAndAHalfSeconds() {
        SilentPrompt prompt;
        Program program(&prompt);
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

    // A report held open while the main window loads outlasts the start-up
    // window; once the player goes on, the main window still comes up.
    void mainWindowComesUpAfterReportOutlastingStartupWindow() {
        {
            SettingsStore store;
            store.write("Settings", "Cols", "abc");
        }
        int reports = 0;
        const ErrorHandler previous =
            setErrorHandler([&](const QString& module, const QString& procedure, const Failure&) {
                ++reports;
                [&] {
                    QCOMPARE(module, QString("frmTavro"));
                    QCOMPARE(procedure, QString("Form_Load"));
                }();
                QTest::qWait(frmInfo::kStartupMilliseconds + 500);
                return int(Continue::Ignore);
            });
        SilentPrompt prompt;
        Program program(&prompt);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        setErrorHandler(previous);
        QCOMPARE(reports, 1);
        QVERIFY(program.mainWindow());
        QTRY_VERIFY_WITH_TIMEOUT(program.mainWindow()->isVisible(), 2000);
        QVERIFY(program.state().MainShown);
        QCOMPARE(program.state().settings.Rows, int16_t(7));
    }

    void secondProgramInSameStoreDoesNotStart() {
        SilentPrompt prompt;
        Program first(&prompt);
        QCOMPARE(first.Main(), Program::StartResult::Started);
        Program second(&prompt);
        QCOMPARE(second.Main(), Program::StartResult::AlreadyRunning);
        QVERIFY(!second.mainWindow());
        QVERIFY(!second.startupWindow());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
