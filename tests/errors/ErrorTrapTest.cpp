#include "errors/ErrorTrap.h"

#include "dialogs/TestTools.h"
#include "errors/AppError.h"
#include "errors/ErrPtnr.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

using namespace tavro;
using namespace tavro::test;

namespace {

// Runs in a child process: the failing procedure ends the program from the
// report, either through a handler or through the report dialog's End button.
struct Noisy {
    ~Noisy() { std::puts("destructor ran"); }
};

int endChild(int argc, char** argv, bool throughDialog) {
    std::atexit([] { std::puts("exit handler ran"); });
    QApplication app(argc, argv);
    Noisy noisy;
    QTemporaryDir dir;
    if (throughDialog) {
        ErrPtnr::install();
        ErrPtnr::instance().setLogFiles(ErrorLogFiles(dir.path(), QStringLiteral("child"), {}));
        QTimer::singleShot(100, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                if (auto* end = modal->findChild<QPushButton*>(QStringLiteral("cmdContinue3")))
                    end->click();
        });
    } else {
        setErrorHandler([](const QString&, const QString&, const Failure&) { return 3; });
    }
    std::puts("reaching the failure");
    ErrorTrap trap("frmTavro", "Form_Load");
    trap.run([] { throw AppError(AppError::Overflow, QStringLiteral("Overflow")); });
    std::puts("went on after the report");
    return 0;
}

} // namespace

class ErrorTrapTest : public QObject {
    Q_OBJECT

private slots:
    // A procedure of three statements whose second fails `failureCount` times;
    // the choices of the report decide which statements run and what it holds.
    void choicesOfTheReport() {
        // answers, failures, what the procedure holds, statements that ran
        const QList<std::tuple<QList<int>, int, int, QList<int>>> cases = {
            {{0, 0, 1}, 5, 11, {1, 2, 2, 2, 3}}, // retry reports a persistent failure again
            {{0}, 1, 21, {1, 2, 2, 3}},          // retry that succeeds
            {{1}, 1, 11, {1, 2, 3}},             // ignore
            {{2}, 1, 10, {1, 2}},                // leave
            {{7}, 1, 10, {1, 2}},                // anything else leaves
            {{-1}, 1, 10, {1, 2}}};
        for (const auto& [answers, failureCount, expectedHeld, expectedRan] : cases) {
            ReportRecorder handler;
            QList<int> script = answers; // Leave once it runs out
            handler.answer = [&script] {
                return script.isEmpty() ? int(Continue::Leave) : script.takeFirst();
            };
            QList<int> ran;
            int held = 0, failures = failureCount;
            ErrorTrap trap("basCommon", "PlayWAV");
            trap.run([&] {
                ran << 1;
                held = 10;
            });
            trap.run([&] {
                ran << 2;
                if (failures-- > 0)
                    throw AppError(AppError::InvalidCall, QStringLiteral("Invalid procedure call"));
                held = 20;
            });
            trap.run([&] {
                ran << 3;
                held += 1;
            });
            QCOMPARE(held, expectedHeld);
            QCOMPARE(ran, expectedRan);
            QCOMPARE(handler.reports, QStringList(answers.size(), "basCommon/PlayWAV"));
            for (const Failure& f : handler.failures) {
                QCOMPARE(f.number, int(AppError::InvalidCall));
                QCOMPARE(f.description, QStringLiteral("Invalid procedure call"));
                QVERIFY(f.line > 0);
                QCOMPARE(f.line, handler.failures.front().line);
            }
        }
    }

    void standardExceptionsAreReportedToo() {
        ReportRecorder handler;
        ErrorTrap trap("basBlocks", "Drop");
        trap.run([] { (void)std::vector<int>{}.at(3); });
        QCOMPARE(handler.failures.size(), 1);
        QCOMPARE(handler.failures[0].number, int(AppError::SubscriptOutOfRange));
    }

    // Through a scripted handler and through the report dialog.
    void endStopsTheProcessAtOnce() {
        for (const QString mode : {"--end-child", "--end-child-dialog"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QCoreApplication::applicationFilePath(), {mode});
            QVERIFY(child.waitForFinished(60000));
            const QByteArray output = child.readAll();
            QVERIFY2(output.contains("reaching the failure"), output.constData());
            for (const char* skipped : {"went on", "destructor ran", "exit handler ran"})
                QVERIFY2(!output.contains(skipped), output.constData());
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), EXIT_FAILURE);
        }
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]).startsWith("--end-child"))
        return endChild(argc, argv, qstrcmp(argv[1], "--end-child-dialog") == 0);
    QCoreApplication app(argc, argv);
    ErrorTrapTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorTrapTest.moc"
