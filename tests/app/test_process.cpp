// The real program as a process: a second copy ends at once without a window,
// and a stale lock left by a killed copy does not keep the game from starting.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestProcess : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    QString program() const { return QCoreApplication::applicationDirPath() + "/tavro"; }

    void prepare(QProcess& p) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home_.path() + "/config");
        env.insert("XDG_DATA_HOME", home_.path() + "/data");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setProgram(program());
    }

private slots:
    void secondCopyEndsAtOnce() {
        QProcess first;
        prepare(first);
        first.start();
        QVERIFY(first.waitForStarted());
        // Give the first copy time to take its lock.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home_.path() + "/config/Tavro/tavro.lock"), 5000);

        QProcess second;
        prepare(second);
        QElapsedTimer clock;
        clock.start();
        second.start();
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(clock.elapsed() < 3000, "the second copy must not wait for anything");
        QCOMPARE(first.state(), QProcess::Running);

        // A killed copy leaves its lock behind; the next start takes it over.
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFile::exists(home_.path() + "/config/Tavro/tavro.lock"));
        QProcess third;
        prepare(third);
        third.start();
        QVERIFY(third.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        third.waitForFinished(5000);
    }
};

QTEST_MAIN(TestProcess)
#include "test_process.moc"
