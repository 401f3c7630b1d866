// Plays a few thousand seeded random games through the built tavro-replay and
// compares each output with the one recorded before the move handler was
// reworked: one SHA-256 prefix per game, plus one digest over all outputs.
// Set TAVRO_REPLAY_GOLDEN_WRITE=1 to record the file anew (only after a
// deliberate change of the replay's output).

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

constexpr int kGames = 3000;

// splitmix64: the same numbers on every platform and standard library.
class Numbers {
public:
    explicit Numbers(uint64_t seed) : state_(seed) {}
    int below(int n) {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<int>((z ^ (z >> 31)) % static_cast<uint64_t>(n));
    }

private:
    uint64_t state_;
};

// Game `seed`: 1..20 columns, 1..14 rows (every 97th game a large board), 2..6
// block types, minimum group 2 or else 1..5, clicks mostly near the bottom left where the
// blocks gather, some on empty cells and some beside the board.
QByteArray gameScript(int seed) {
    Numbers r(static_cast<uint64_t>(seed) + 1);
    const bool large = seed % 97 == 0;
    const int cols = large ? 40 + r.below(40) : 1 + r.below(20);
    const int rows = large ? 20 + r.below(30) : 1 + r.below(14);
    const int types = 2 + r.below(5);
    const int btc = r.below(3) == 0 ? 1 + r.below(5) : 2;
    QByteArray script = "btc " + QByteArray::number(btc) + "\nboard\n";
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col)
            script += char('0' + r.below(types));
        script += '\n';
    }
    script += "clicks\n";
    const int clicks = 3 + r.below(std::min(cols * rows, 120) + 4);
    for (int i = 0; i < clicks; ++i) {
        int col = r.below(cols), row = rows - 1 - r.below(r.below(rows) + 1);
        if (r.below(12) == 0) { // beside the board
            col = r.below(2) ? -1 - r.below(2) : cols + r.below(2);
            row = r.below(rows + 2) - 1;
        } else if (r.below(2) == 0) {
            col = r.below(r.below(cols) + 1);
        }
        script += QByteArray::number(col) + ' ' + QByteArray::number(row) + '\n';
    }
    return script;
}

QByteArray replay(const QByteArray& script) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/tavro-replay", {});
    if (!process.waitForStarted())
        return "cannot start: " + process.errorString().toUtf8();
    process.write(script);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return "failed: " + process.readAllStandardError();
    return process.readAllStandardOutput();
}

} // namespace

class ReplayGoldenTest : public QObject {
    Q_OBJECT

private slots:
    void outputsUnchanged() {
        QCryptographicHash all(QCryptographicHash::Sha256);
        QByteArrayList lines;
        for (int seed = 0; seed < kGames; ++seed) {
            const QByteArray out = replay(gameScript(seed));
            all.addData(out);
            lines += QCryptographicHash::hash(out, QCryptographicHash::Sha256).toHex().left(16);
        }
        lines.prepend(all.result().toHex());
        const QByteArray recorded = lines.join('\n') + '\n';

        QFile file(QStringLiteral(TAVRO_REPLAY_GOLDEN));
        if (qEnvironmentVariableIsSet("TAVRO_REPLAY_GOLDEN_WRITE")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(recorded);
            QSKIP("golden file written");
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArrayList golden = file.readAll().split('\n');
        QCOMPARE(golden.size(), kGames + 2);
        for (int seed = 0; seed < kGames; ++seed)
            QVERIFY2(golden.at(seed + 1) == lines.at(seed + 1),
                     qPrintable(QStringLiteral("game %1 differs; its script:\n%2")
                                    .arg(seed)
                                    .arg(QString::fromLatin1(gameScript(seed)))));
        QCOMPARE(golden.first(), lines.first());
    }
};

QTEST_GUILESS_MAIN(ReplayGoldenTest)
#include "ReplayGoldenTest.moc"
