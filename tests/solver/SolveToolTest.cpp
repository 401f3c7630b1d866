// Runs the built tavro-solve: its clicks, piped into tavro-replay, end the
// game with the score it printed; malformed input exits with status 2.

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run run(const QString& tool, const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/" + tool, args);
    Run r;
    if (!process.waitForStarted())
        return r;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return r;
    r.exitCode = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

} // namespace

class SolveToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clicksReproduceTheScore_data() {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QStringList>("args");
        // Cleared with the bonus: 1s then 2s then 0s: (5 + 5 + 5) * 1.5 = 22.5 -> 22.
        QTest::newRow("cleared") << QByteArray("btc 2\nboard\n12\n12\n00\n") << QStringList{};
        QTest::newRow("clicks ignored")
            << QByteArray("btc 3\nboard\n1102\n1220\n3333\nclicks\n0 0\n")
            << QStringList{"--time", "0.2"};
        QByteArray big = "btc 2\nboard\n";
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 12; ++col)
                big += char('0' + (col * 7 + row * 3 + col * row) % 4);
            big += '\n';
        }
        QTest::newRow("12 x 7") << big << QStringList{"--time", "0.5"};
    }
    void clicksReproduceTheScore() {
        QFETCH(QByteArray, board);
        QFETCH(QStringList, args);
        const Run solved = run("tavro-solve", args, board);
        QCOMPARE(solved.exitCode, 0);
        QVERIFY(solved.err.isEmpty());
        QList<QByteArray> lines = solved.out.trimmed().split('\n');
        QVERIFY(lines.first().startsWith("best "));
        const QByteArray best = lines.takeFirst().mid(5);
        QByteArray script =
            board.left(board.indexOf("clicks")) + "clicks\n" + lines.join('\n') + "\n";
        if (!board.contains("clicks"))
            script = board + "clicks\n" + lines.join('\n') + "\n";
        const Run replayed = run("tavro-replay", {}, script);
        QCOMPARE(replayed.exitCode, 0);
        QCOMPARE(replayed.out.trimmed().split('\n').last(), "over " + best);
        if (board.startsWith("btc 2\nboard\n12\n"))
            QCOMPARE(best, QByteArray("22"));
    }

    void malformedInputIsRefused() {
        for (const auto& [args, input] : {std::pair<QStringList, QByteArray>({}, ""),
                                          {{}, "btc 2\n00\n"},
                                          {{}, "btc 0\nboard\n00\n"},
                                          {{}, "btc 2\nboard\n0a\n"},
                                          {{}, "btc 2\nboard\n00\n011\n"},
                                          {{"--time"}, "btc 2\nboard\n00\n"},
                                          {{"--time", "-1"}, "btc 2\nboard\n00\n"},
                                          {{"--time", "soon"}, "btc 2\nboard\n00\n"},
                                          {{"--fast"}, "btc 2\nboard\n00\n"}}) {
            const Run r = run("tavro-solve", args, input);
            QCOMPARE(r.exitCode, 2);
            QVERIFY(r.out.isEmpty());
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY(r.err.startsWith("tavro-solve: "));
        }
    }
};

QTEST_GUILESS_MAIN(SolveToolTest)
#include "SolveToolTest.moc"
