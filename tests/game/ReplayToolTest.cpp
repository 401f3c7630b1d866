// Runs the built tavro-replay on scripts and compares its exact output.

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

class ReplayToolTest : public QObject {
    Q_OBJECT

private slots:
    void replay_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // lines joined by commas
        // A pair on the top row, then one on the bottom row: both columns fall,
        // column 0 by three blocks. The click after the end prints nothing.
        QTest::newRow("whole game")
            << QByteArray("btc 2\nboard\n13\n23\n12\n00\nclicks\n1 0\n0 3\n5 5\n") << 0
            << "sound 102,erase 3 1 1,erase 1 1 0,wait 0.02,wait 0.08,score 5,left 6,"
               "sound 102,erase 7 1 3,erase 6 0 3,wait 0.02,erase 5 1 2,draw 5 1 3,sound 104,"
               "erase 4 0 2,draw 4 0 3,sound 104,wait 0.08,erase 2 0 1,draw 2 0 2,sound 107,"
               "wait 0.08,erase 0 0 0,draw 0 0 1,sound 107,wait 0.08,wait 0.08,score 10,left 4,"
               "sound 106,over 10";
        // Lone blocks and pairs with three needed, then clicks beside the board.
        QTest::newRow("refused clicks")
            << QByteArray("btc 3\nboard\n0112\n3442\n5556\nclicks\n0 0\n1 0\n-1 0\n4 1\n2 1\n3 1\n")
            << 0
            << "sound 102,sound 103,sound 102,sound 103,sound 102,sound 102,sound 102,sound 103,"
               "sound 102,sound 103";

        // Malformed input: exit code 2, one line on standard error.
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
            QTest::newRow(name) << input << 2 << QString();
    }
    void replay() {
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/tavro-replay", {});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        process.write(input);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(std::pair(process.exitStatus(), process.exitCode()),
                 std::pair(QProcess::NormalExit, exitCode));
        QCOMPARE(out.split('\n', Qt::SkipEmptyParts).join(','), output);
        QVERIFY(out.isEmpty() || out.endsWith('\n'));
        if (exitCode == 0)
            QCOMPARE(err, QString());
        else
            QVERIFY2(out.isEmpty() && err.startsWith("tavro-replay: ") && err.count('\n') == 1 &&
                         err.size() < 400,
                     qPrintable(err.left(400)));
        if (input.contains('\xff'))
            QVERIFY2(err.contains("got '\\x01\\xff\\x27" + QString("\\x7f").repeated(57) +
                                  "'... (1048579 characters)"),
                     qPrintable(err.left(400)));
    }
};

QTEST_GUILESS_MAIN(ReplayToolTest)
#include "ReplayToolTest.moc"
