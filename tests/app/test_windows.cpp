// Windows of the whole program: an error report held open while the start-up
// window's timer fires, answered with each of its four choices (in child
// processes, since one of them ends the process); every way the start-up
// window closes; Form_Load and InitGame left from a report; the lines that
// reports give; the closing order at shut-down; a close in the same batch of
// events as a toolbar click.
#include "app/Program.h"
#include "dialogs/DialogTestSupport.h"
#include "errors/AppError.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/main/PictureButton.h"
#include "ui/main/frmTavro.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <memory>
#include <vector>

using namespace tavro;
using namespace tavro::test;

namespace {

const char* const kScenario = "TAVRO_TEST_REPORT_CHOICE";

// The child: "Sprache=-1" makes the start-up window's texts fail; the first
// report stays open (a modal loop) for longer than the start-up window's
// time and is then answered with `choice`; later ones are ignored at once.
// Prints the first report and, once the main window is up, "main window".
int reportScenario(int choice) {
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
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (program.mainWindow() && program.mainWindow()->isVisible()) {
            std::printf("main window\n");
            QCoreApplication::exit(0);
        }
    });
    poll.start(50);
    QTimer::singleShot(8000, [] { QCoreApplication::exit(3); });
    return QApplication::exec();
}

// Records which windows receive a close event, in order.
class CloseRecorder : public QObject {
public:
    QList<QObject*> closed;
    CloseRecorder() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && !closed.contains(watched))
            closed.append(watched);
        return false;
    }
};

// Starts the program and lets the start-up window hand over at once.
void startToMainWindow(Program& program) {
    QCOMPARE(program.Main(), Program::StartResult::Started);
    program.startupWindow()->accept();
    QVERIFY(program.mainWindow()->isVisible());
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    void reportOpenAcrossTheStartupTimer_data() {
        QTest::addColumn<int>("choice");
        QTest::newRow("retry") << int(Continue::Retry);
        QTest::newRow("ignore") << int(Continue::Ignore);
        QTest::newRow("leave") << int(Continue::Leave);
        QTest::newRow("end") << int(Continue::End);
    }
    void reportOpenAcrossTheStartupTimer() {
        QFETCH(int, choice);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kScenario, QString::number(choice));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        if (!child.waitForFinished(20000)) {
            child.kill();
            child.waitForFinished();
            QFAIL("the child did not end within 20 s");
        }
        const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(child.readAllStandardError());
        const bool ends = choice == int(Continue::End);
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == (ends ? 1 : 0),
                 qPrintable(QStringLiteral("exit %1 %2\n%3\n%4")
                                .arg(child.exitStatus())
                                .arg(child.exitCode())
                                .arg(out, err)));
        QVERIFY2(out.startsWith("report basCommon.GetLang\n"), qPrintable(out));
        QCOMPARE(out.contains("main window"), !ends);
        QVERIFY2(!err.contains("Sanitizer") && !err.contains("runtime error"), qPrintable(err));
    }

    void everyWayTheStartupWindowClosesShowsTheMainWindow_data() {
        QTest::addColumn<QString>("way");
        for (const char* way : {"timer", "escape", "close box", "reject", "accept"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    void everyWayTheStartupWindowClosesShowsTheMainWindow() {
        QFETCH(QString, way);
        ScriptedPrompt prompt;
        Program program(&prompt);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QPointer<frmInfo> info = program.startupWindow();
        QVERIFY(info && info->isVisible() && !program.mainWindow()->isVisible());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        if (way == "escape")
            QTest::keyClick(info, Qt::Key_Escape);
        else if (way == "close box")
            QVERIFY(info->close());
        else if (way == "reject")
            info->reject();
        else if (way == "accept")
            info->accept();
        QTRY_VERIFY_WITH_TIMEOUT(program.mainWindow()->isVisible(),
                                 frmInfo::kStartupMilliseconds + 1000);
        QVERIFY(program.state().MainShown);
        QTRY_VERIFY(info.isNull()); // deleted from the event loop
        QCOMPARE(lastClosed.count(), 0);
        // The program goes on: its event loop runs until the main window closes.
        QTimer::singleShot(100, program.mainWindow(), &QWidget::close);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(clock.elapsed() >= 90);
    }

    // A report that leaves Form_Load: the window still has its usual size and
    // the statements after the failing read (the texts included) do not run.
    void leavingFormLoadKeepsTheUsualSizeAndSkipsTheRest() {
        ScriptedPrompt prompt;
        QSize usual;
        {
            Program program(&prompt);
            QCOMPARE(program.Main(), Program::StartResult::Started);
            usual = program.mainWindow()->size();
            QVERIFY(!program.mainWindow()->cmdBut(0)->toolTip().isEmpty());
        }
        SettingsStore().write("Settings", "Cols", "abc");
        ReportRecorder recorder; // leaves
        Program program(&prompt);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(recorder.reports, QStringList{"frmTavro/Form_Load"});
        QCOMPARE(program.mainWindow()->size(), usual);
        QVERIFY(program.mainWindow()->cmdBut(0)->toolTip().isEmpty());
        QCOMPARE(program.state().settings.Rows, int16_t(0)); // never read
    }

    // The game's part of InitGame fails and the player leaves: InitGame ends
    // there, no board is announced.
    void leavingInsideTheBoardLeavesInitGame() {
        ScriptedPrompt prompt;
        Program program(&prompt);
        startToMainWindow(program);
        frmTavro* main = program.mainWindow();
        QSignalSpy built(main, &frmTavro::boardBuilt);
        program.state().settings.Cols = 200; // 40,000 cells: too many
        program.state().settings.Rows = 200;
        ReportRecorder recorder;
        main->InitGame();
        QCOMPARE(recorder.reports, QStringList{"frmTavro/InitGame"});
        QCOMPARE(recorder.failures.first().number, int(AppError::Overflow));
        QCOMPARE(built.count(), 0);
    }

    // Two different settings that fail to read report two different lines.
    void failedSettingReadsReportTheirOwnLines() {
        SettingsStore().write("Settings", "BlockTypes", "abc");
        SettingsStore().write("Settings", "Rows", "xyz");
        ReportRecorder recorder;
        recorder.answer = [] { return int(Continue::Ignore); };
        ScriptedPrompt prompt;
        Program program(&prompt);
        QCOMPARE(program.Main(), Program::StartResult::Started);
        QCOMPARE(recorder.reports, QStringList({"frmTavro/Form_Load", "frmTavro/Form_Load"}));
        const int first = recorder.failures.at(0).line, second = recorder.failures.at(1).line;
        QVERIFY2(first > 0 && second > first,
                 qPrintable(QStringLiteral("%1 %2").arg(first).arg(second)));
    }

    // Shut-down closes the windows newest first, a window shown again
    // counting as new.
    void shutdownClosesNewestFirst() {
        ScriptedPrompt prompt;
        Program program(&prompt);
        startToMainWindow(program);
        std::vector<std::unique_ptr<QWidget>> windows;
        QList<QObject*> expected{program.mainWindow()};
        for (int i = 0; i < 6; ++i) {
            windows.push_back(std::make_unique<QWidget>());
            windows.back()->show();
            expected.prepend(windows.back().get());
        }
        windows[2]->hide();
        windows[2]->show();
        expected.move(expected.indexOf(windows[2].get()), 0);
        CloseRecorder recorder;
        program.Shutdown();
        QCOMPARE(recorder.closed, expected);
    }

    // A toolbar click and the window manager's close in one batch of events:
    // the program ends at once and leaves no window behind.
    void toolbarClickAndCloseInOneBatchEndTheProgram_data() {
        QTest::addColumn<int>("button");
        for (int button : {0, 3, 5, 6, 7})
            QTest::addRow("button %d", button) << button;
    }
    void toolbarClickAndCloseInOneBatchEndTheProgram() {
        QFETCH(int, button);
        ScriptedPrompt prompt;
        Program program(&prompt);
        startToMainWindow(program);
        // The window manager's close arrives while the click is being handled.
        frmTavro* main = program.mainWindow();
        QMetaObject::invokeMethod(
            main,
            [main, button] {
                QCoreApplication::postEvent(main->windowHandle(), new QCloseEvent);
                main->cmdBut_Click(button);
            },
            Qt::QueuedConnection);
        QTimer watchdog; // a program that does not end fails here instead of hanging
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                w->close();
            QCoreApplication::exit(2);
        });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), w->metaObject()->className());
    }
};

// The settings folder is the program's own (support/IsolatedConfig.cpp), a
// fresh one in each child too.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavro"));
    QApplication::setApplicationName(QStringLiteral("Tavro"));
    if (qEnvironmentVariableIsSet(kScenario))
        return reportScenario(qEnvironmentVariableIntValue(kScenario));
    TestWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_windows.moc"
