// A player action reaches the store in one step: the writer is killed at
// every system call that a save makes, and the file afterwards holds either
// the state before the action or the state after it, never a mix.
#include "dialogs/TestTools.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tavro;
using namespace tavro::test;

class StoreKillTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString strace_ = QStandardPaths::findExecutable("strace");
    QString writer_ = QCoreApplication::applicationDirPath() + "/tavro-store-writer";

    QString path() const { return dir_.filePath("Tavro/Tavro.conf"); }

    // Runs the writer, under strace when a kill is given; true when it was killed.
    bool run(const QString& mode, const QStringList& kill = {}) {
        QProcess p;
        // The leak check at exit cannot run under strace: it traces the process itself.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        p.setProcessEnvironment(env);
        if (kill.isEmpty())
            p.start(writer_, {path(), mode});
        else
            p.start(strace_, QStringList{"-f", "-o", "/dev/null"} + kill +
                                 QStringList{writer_, path(), mode});
        if (!p.waitForFinished(20000))
            qFatal("the writer hangs");
        return p.exitStatus() == QProcess::CrashExit || p.exitCode() != 0;
    }

private slots:
    void initTestCase() {
        if (strace_.isEmpty())
            QSKIP("strace is missing (scripts/setup installs it)");
    }

    void killedSaveLeavesOldOrNewState_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("options OK") << "options";
        QTest::newRow("high-score insertion") << "scores";
    }
    void killedSaveLeavesOldOrNewState() {
        QFETCH(QString, mode);
        QVERIFY(QDir().mkpath(dir_.filePath("Tavro")));
        QFile::remove(path());
        QVERIFY(!run("seed"));
        const QByteArray before = readFile(path());
        QVERIFY(!run(mode));
        const QByteArray after = readFile(path());
        QVERIFY(before != after);

        int kills = 0, oldSeen = 0, newSeen = 0;
        for (const char* call : {"write", "fchmod", "fsync", "close", "rename"}) {
            for (int n = 1; n < 500; ++n) {
                QVERIFY(writeFile(path(), before));
                const QString inject = QStringLiteral("%1:signal=KILL:when=%2").arg(call).arg(n);
                if (!run(mode, {"-e", QStringLiteral("trace=") + call, "-e", "inject=" + inject}))
                    break; // the save ran to its end: no more calls of this kind
                ++kills;
                const QByteArray found = readFile(path());
                QVERIFY2(found == before || found == after,
                         qPrintable(QStringLiteral("killed at %1 #%2:\n%3")
                                        .arg(call)
                                        .arg(n)
                                        .arg(QString::fromUtf8(found))));
                (found == before ? oldSeen : newSeen)++;
            }
        }
        qInfo("%s: %d kills, %d old and %d new states", qPrintable(mode), kills, oldSeen, newSeen);
        QVERIFY(oldSeen > 0 && newSeen > 0);

        // What the kills left behind goes at the next start.
        SettingsStore(path()).open();
        QCOMPARE(QDir(dir_.filePath("Tavro")).entryList(QDir::Files), QStringList{"Tavro.conf"});
    }
};

QTEST_GUILESS_MAIN(StoreKillTest)
#include "StoreKillTest.moc"
