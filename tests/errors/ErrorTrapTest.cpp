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
#include <vector>

using namespace tavro;

namespace {

struct Report {
    QString module, procedure;
    Failure failure;
};

// A handler that answers with scripted choices and records what it was given.
struct ScriptedHandler {
    std::vector<int> answers;
    std::vector<Report> reports;
    ErrorHandler previous;

    explicit ScriptedHandler(std::vector<int> script) : answers(std::move(script)) {
        previous = setErrorHandler([this](const QString& m, const QString& p, const Failure& f) {
            reports.push_back({m, p, f});
            const int answer = answers.empty() ? int(Continue::Leave) : answers.front();
            if (!answers.empty())
                answers.erase(answers.begin());
            return answer;
        });
    }
    ~ScriptedHandler() { setErrorHandler(previous); }
};

// A procedure of three statements; the second fails while `failures` > 0.
int threeStatements(int& failures, std::vector<int>& ran) {
    ErrorTrap trap("basCommon", "PlayWAV");
    int held = 0;
    trap.run([&] {
        ran.push_back(1);
        held = 10;
    });
    trap.run([&] {
        ran.push_back(2);
        if (failures > 0) {
            --failures;
            throw AppError(AppError::InvalidCall, QStringLiteral("Invalid procedure call"));
        }
        held = 20;
    });
    trap.run([&] {
        ran.push_back(3);
        held += 1;
    });
    return held;
}

// Runs in a child process: the failing procedure ends the program from the report.
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

    static QByteArray runChild(const char* mode, int* exitCode) {
        QProcess child;
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
        if (!child.waitForFinished(60000))
            return "child did not finish";
        *exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
        return child.readAll();
    }

private slots:
    void retryReportsAPersistentFailureAgain() {
        ScriptedHandler handler({0, 0, 1});
        int failures = 5;
        std::vector<int> ran;
        QCOMPARE(threeStatements(failures, ran), 11);
        QCOMPARE(ran, (std::vector<int>{1, 2, 2, 2, 3}));
        QCOMPARE(handler.reports.size(), size_t(3));
        for (const Report& r : handler.reports) {
            QCOMPARE(r.module, QStringLiteral("basCommon"));
            QCOMPARE(r.procedure, QStringLiteral("PlayWAV"));
            QCOMPARE(r.failure.number, int(AppError::InvalidCall));
            QCOMPARE(r.failure.description, QStringLiteral("Invalid procedure call"));
            QCOMPARE(r.failure.line, handler.reports.front().failure.line);
        }
        QVERIFY(handler.reports.front().failure.line > 0);
    }

    void retryThatSucceedsGoesOnNormally() {
        ScriptedHandler handler({0});
        int failures = 1;
        std::vector<int> ran;
        QCOMPARE(threeStatements(failures, ran), 21);
        QCOMPARE(ran, (std::vector<int>{1, 2, 2, 3}));
    }

    void ignoreGoesOnWithTheNextStatement() {
        ScriptedHandler handler({1});
        int failures = 1;
        std::vector<int> ran;
        QCOMPARE(threeStatements(failures, ran), 11);
        QCOMPARE(ran, (std::vector<int>{1, 2, 3}));
    }

    void leaveReturnsTheHeldValue() {
        for (int choice : {2, 7, -1}) { // anything outside 0..3 leaves as well
            ScriptedHandler handler({choice});
            int failures = 1;
            std::vector<int> ran;
            QCOMPARE(threeStatements(failures, ran), 10);
            QCOMPARE(ran, (std::vector<int>{1, 2}));
            QCOMPARE(handler.reports.size(), size_t(1));
        }
    }

    void standardExceptionsAreReportedToo() {
        ScriptedHandler handler({1});
        ErrorTrap trap("basBlocks", "Drop");
        trap.run([] { (void)std::vector<int>{}.at(3); });
        QCOMPARE(handler.reports.size(), size_t(1));
        QCOMPARE(handler.reports[0].failure.number, int(AppError::SubscriptOutOfRange));
    }

    void endStopsTheProcessAtOnce_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("scripted handler") << QStringLiteral("--end-child");
        QTest::newRow("report dialog") << QStringLiteral("--end-child-dialog");
    }

    void endStopsTheProcessAtOnce() {
        QFETCH(QString, mode);
        int exitCode = 0;
        const QByteArray output = runChild(qPrintable(mode), &exitCode);
        QVERIFY2(output.contains("reaching the failure"), output.constData());
        QVERIFY2(!output.contains("went on"), output.constData());
        QVERIFY2(!output.contains("destructor ran"), output.constData());
        QVERIFY2(!output.contains("exit handler ran"), output.constData());
        QVERIFY2(!output.contains("did not finish"), output.constData());
        QCOMPARE(exitCode, EXIT_FAILURE);
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
