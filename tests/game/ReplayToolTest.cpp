// Runs the built tavro-replay on malformed scripts: exit code 2 and one short
// line on standard error. Its output for valid scripts is pinned by
// test_replay_golden.

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

class ReplayToolTest : public QObject {
    Q_OBJECT

private slots:
    void malformedInputIsRefused_data() {
        QTest::addColumn<QByteArray>("input");
        const QByteArray row = QByteArray(200, '0') + '\n';
        for (const auto& [name, input] :
             {std::pair<const char*, QByteArray>("empty", ""),
              {"no btc", "board\n00\nclicks\n"},
              {"btc not a number", "btc two\nboard\n00\nclicks\n"},
              {"btc zero", "btc 0\nboard\n00\nclicks\n"},
              {"no board line", "btc 2\n00\nclicks\n"},
              {"no rows", "btc 2\nboard\nclicks\n"},
              {"ragged rows", "btc 2\nboard\n00\n011\nclicks\n"},
              {"letter in a row", "btc 2\nboard\n0a\nclicks\n"},
              {"no clicks line", "btc 2\nboard\n00\n"},
              {"one number", "btc 2\nboard\n00\nclicks\n1\n"},
              {"three numbers", "btc 2\nboard\n00\nclicks\n1 0 0\n"},
              {"not a click", "btc 2\nboard\n00\nclicks\nx y\n"},
              {"too many cells", "btc 2\nboard\n" + row.repeated(200) + "clicks\n"},
              {"long junk line", "btc 2\nboard\n\x01\xff'" + QByteArray(1 << 20, '\x7f') + "\n"}})
            QTest::newRow(name) << input;
    }
    void malformedInputIsRefused() {
        QFETCH(QByteArray, input);
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/tavro-replay", {});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        process.write(input);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(std::pair(process.exitStatus(), process.exitCode()),
                 std::pair(QProcess::NormalExit, 2));
        QVERIFY2(process.readAllStandardOutput().isEmpty() && err.startsWith("tavro-replay: ") &&
                     err.count('\n') == 1 && err.size() < 400,
                 qPrintable(err.left(400)));
        if (input.contains('\xff'))
            QVERIFY2(err.contains("got '\\x01\\xff\\x27" + QString("\\x7f").repeated(57) +
                                  "'... (1048579 characters)"),
                     qPrintable(err.left(400)));
    }
};

QTEST_GUILESS_MAIN(ReplayToolTest)
#include "ReplayToolTest.moc"
