// The real program: a second copy ends at once, a stale lock does not block a start.
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestProcess : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    // Starts the game with a settings folder of its own.
    void start(QProcess& p) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home_.path() + "/config");
        env.insert("XDG_DATA_HOME", home_.path() + "/data");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationDirPath() + "/tavro", {});
    }

private slots:
    void secondCopyEndsAtOnceAndAStaleLockIsTakenOver() {
        const QString lock = home_.path() + "/config/Tavro/tavro.lock";
        QProcess first, second, third;
        start(first);
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 5000);

        QElapsedTimer clock;
        clock.start();
        start(second);
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(clock.elapsed() < 3000, "the second copy must not wait for anything");
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFile::exists(lock));
        start(third);
        QVERIFY(third.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        third.waitForFinished(5000);
    }
};

QTEST_MAIN(TestProcess)
#include "test_process.moc"
