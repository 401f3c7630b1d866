#include "errors/ErrorTrap.h"

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

namespace {

struct Report {
    QString module, procedure;
    Failure failure;
};

// Installs a handler that records every report and answers from the script
// (Leave once it runs out).
struct ScriptedHandler {
    QList<int> answers;
    QList<Report> reports;
    ErrorHandler previous =
        setErrorHandler([this](const QString& m, const QString& p, const Failure& f) {
            reports.append({m, p, f});
            return answers.isEmpty() ? int(Continue::Leave) : answers.takeFirst();
        });
    ~ScriptedHandler() { setErrorHandler(previous); }
};

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
    // A procedure of three statements whose second fails `failures` times;
    // the choices of the report decide which statements run and what it holds.
    void choicesOfTheReport_data() {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("held");
        QTest::addColumn<QList<int>>("ran");
        QTest::newRow("retry reports a persistent failure again")
            << QList<int>{0, 0, 1} << 5 << 11 << QList<int>{1, 2, 2, 2, 3};
        QTest::newRow("retry that succeeds") << QList<int>{0} << 1 << 21 << QList<int>{1, 2, 2, 3};
        QTest::newRow("ignore") << QList<int>{1} << 1 << 11 << QList<int>{1, 2, 3};
        QTest::newRow("leave") << QList<int>{2} << 1 << 10 << QList<int>{1, 2};
        QTest::newRow("7 leaves") << QList<int>{7} << 1 << 10 << QList<int>{1, 2};
        QTest::newRow("-1 leaves") << QList<int>{-1} << 1 << 10 << QList<int>{1, 2};
    }
    void choicesOfTheReport() {
        QFETCH(QList<int>, answers);
        QFETCH(int, failures);
        ScriptedHandler handler;
        handler.answers = answers;
        QList<int> ran;
        int held = 0;
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
        QTEST(held, "held");
        QTEST(ran, "ran");
        QCOMPARE(handler.reports.size(), answers.size());
        for (const Report& r : handler.reports) {
            QCOMPARE(r.module + '/' + r.procedure, QStringLiteral("basCommon/PlayWAV"));
            QCOMPARE(r.failure.number, int(AppError::InvalidCall));
            QCOMPARE(r.failure.description, QStringLiteral("Invalid procedure call"));
            QVERIFY(r.failure.line > 0);
            QCOMPARE(r.failure.line, handler.reports.front().failure.line);
        }
    }

    void standardExceptionsAreReportedToo() {
        ScriptedHandler handler;
        ErrorTrap trap("basBlocks", "Drop");
        trap.run([] { (void)std::vector<int>{}.at(3); });
        QCOMPARE(handler.reports.size(), 1);
        QCOMPARE(handler.reports[0].failure.number, int(AppError::SubscriptOutOfRange));
    }

    void endStopsTheProcessAtOnce_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("scripted handler") << QStringLiteral("--end-child");
        QTest::newRow("report dialog") << QStringLiteral("--end-child-dialog");
    }
    void endStopsTheProcessAtOnce() {
        QFETCH(QString, mode);
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
};

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--end-child") == 0)
        return endChild(argc, argv, false);
    if (argc > 1 && qstrcmp(argv[1], "--end-child-dialog") == 0)
        return endChild(argc, argv, true);
    QCoreApplication app(argc, argv);
    ErrorTrapTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorTrapTest.moc"
