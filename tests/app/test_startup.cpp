// Start-up and shut-down of the program inside one process: the language id
// correction, the order of windows and the 2.5-second hand-over.
#include "app/Program.h"
#include "dialogs/DialogTestSupport.h"
#include "game/Game.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/main/frmTavro.h"

#include <QElapsedTimer>
#include <QTest>

using namespace tavro;
using namespace tavro::test;

class TestStartup : public QObject {
    Q_OBJECT

    ScriptedPrompt prompt_;

private slots:
    void init() { wipeStore(); }

    // Stored Windows locale ids become language ids: thousands, halves to even.
    void languageIdCorrection() {
        QStringList corrected;
        for (int stored : {1031, 1033, 2000, 3500, 2500, 6500, 10, 11, -5})
            corrected << QString::number(Program::correctLanguageId(int16_t(stored)));
        QCOMPARE(corrected.join(' '), QStringLiteral("1 1 2 4 2 6 10 0 -5"));
    }

    void mainStoresCorrectedLanguageBack() {
        SettingsStore().write("Settings", "Sprache", "1033");
        Program program(&prompt_);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(program.state().settings.LanguageId, int16_t(1));
        QCOMPARE(SettingsStore().read("Settings", "Sprache", "?"), QString("1"));
    }

    void emptyStoreStartsGermanAndWritesNothing() {
        Program program(&prompt_);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        const GameSettings& s = program.state().settings;
        QCOMPARE(QList<int>({s.LanguageId, s.Cols, s.Rows, s.BlockTypes, s.BlocksToClick}),
                 QList<int>({0, 12, 7, 4, 2}));
        QVERIFY(s.Sound != 0);
        QSettings raw(program.state().store.fileName(), QSettings::IniFormat);
        raw.beginGroup("Settings");
        QVERIFY(raw.childKeys().isEmpty());
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

    // A report held open while the main window loads outlasts the start-up
    // window; once the player goes on, the main window still comes up.
    void mainWindowComesUpAfterReportOutlastingStartupWindow() {
        SettingsStore().write("Settings", "Cols", "abc");
        auto recorder = std::make_unique<ReportRecorder>();
        recorder->answer = [] {
            QTest::qWait(frmInfo::kStartupMilliseconds + 500);
            return int(Continue::Ignore);
        };
        Program program(&prompt_);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(recorder->reports, QStringList{"frmTavro/Form_Load"});
        recorder.reset();
        QVERIFY(program.mainWindow());
        QTRY_VERIFY_WITH_TIMEOUT(program.mainWindow()->isVisible(), 2000);
        QVERIFY(program.state().MainShown);
        QCOMPARE(program.state().settings.Rows, int16_t(7));
    }

    void secondProgramInSameStoreDoesNotStart() {
        Program first(&prompt_);
        QCOMPARE(first.Main(), Program::StartResult::Started);
        Program second(&prompt_);
        QCOMPARE(second.Main(), Program::StartResult::AlreadyRunning);
        QVERIFY(!second.mainWindow() && !second.startupWindow());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
