// Runs the built tavro-replay on scripts and compares its exact output.

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

class ReplayToolTest : public QObject {
    Q_OBJECT

private slots:
    void playsAScriptedGame();
    void refusedClicksPrintOnlyTheirSounds();
    void malformedInputExitsWithTwo_data();
    void malformedInputExitsWithTwo();

private:
    struct Result {
        int exitCode;
        QString out;
        QString err;
    };
    static Result replay(const QByteArray& input);
};

ReplayToolTest::Result ReplayToolTest::replay(const QByteArray& input) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/tavro-replay", {});
    if (!process.waitForStarted())
        return {-1, {}, "not started"};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void ReplayToolTest::playsAScriptedGame() {
    const Result r = replay("btc 2\nboard\n13\n23\n12\n00\nclicks\n1 0\n0 3\n5 5\n");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    const QStringList expected = {
        "sound 102", "erase 3 1 1", "erase 1 1 0", "wait 0.02", "wait 0.08", "score 5", "left 6",
        // Pair on the bottom row: both columns fall, column 0 by three blocks.
        "sound 102", "erase 7 1 3", "erase 6 0 3", "wait 0.02", "erase 5 1 2", "draw 5 1 3",
        "sound 104", "erase 4 0 2", "draw 4 0 3", "sound 104", "wait 0.08", "erase 2 0 1",
        "draw 2 0 2", "sound 107", "wait 0.08", "erase 0 0 0", "draw 0 0 1", "sound 107",
        "wait 0.08", "wait 0.08", "score 10", "left 4", "sound 106", "over 10"
        // The click after the end prints nothing.
    };
    QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts), expected);
    QVERIFY(r.out.endsWith('\n'));
}

void ReplayToolTest::refusedClicksPrintOnlyTheirSounds() {
    const Result r =
        replay("btc 3\nboard\n0112\n3442\n5556\nclicks\n0 0\n1 0\n-1 0\n4 1\n2 1\n3 1\n");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts),
             QStringList({"sound 102", "sound 103", "sound 102", "sound 103", "sound 102",
                          "sound 102", "sound 102", "sound 103", "sound 102", "sound 103"}));
}

void ReplayToolTest::malformedInputExitsWithTwo_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no btc") << QByteArray("board\n00\nclicks\n");
    QTest::newRow("btc not a number") << QByteArray("btc two\nboard\n00\nclicks\n");
    QTest::newRow("btc zero") << QByteArray("btc 0\nboard\n00\nclicks\n");
    QTest::newRow("no board line") << QByteArray("btc 2\n00\nclicks\n");
    QTest::newRow("no rows") << QByteArray("btc 2\nboard\nclicks\n");
    QTest::newRow("ragged rows") << QByteArray("btc 2\nboard\n00\n011\nclicks\n");
    QTest::newRow("letter in a row") << QByteArray("btc 2\nboard\n0a\nclicks\n");
    QTest::newRow("no clicks line") << QByteArray("btc 2\nboard\n00\n");
    QTest::newRow("one number") << QByteArray("btc 2\nboard\n00\nclicks\n1\n");
    QTest::newRow("three numbers") << QByteArray("btc 2\nboard\n00\nclicks\n1 0 0\n");
    QTest::newRow("not a click") << QByteArray("btc 2\nboard\n00\nclicks\nx y\n");
    QTest::newRow("too many cells") << QByteArray("btc 2\nboard\n") +
                                           QByteArray(200, '0').append('\n').repeated(200) +
                                           "clicks\n";
}

void ReplayToolTest::malformedInputExitsWithTwo() {
    QFETCH(QByteArray, input);
    const Result r = replay(input);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith("tavro-replay: "), qPrintable(r.err));
    QCOMPARE(r.err.count('\n'), 1);
}

QTEST_GUILESS_MAIN(ReplayToolTest)
#include "ReplayToolTest.moc"
