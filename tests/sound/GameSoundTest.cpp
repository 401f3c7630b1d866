// The sounds of the running game as the sound server plays them: every click
// heard, and a removal heard as the replay tool lists its sounds.
#include "MonitorRecording.h"
#include "game/Game.h"
#include "mainwindow/MainWindowHarness.h"
#include "ui/main/BoardSurface.h"

#include <QDebug>
#include <QtTest>
#include <complex>

using namespace tavro;
using namespace tavro::test;

namespace {

QPoint cellCentre(const QPoint& cell) {
    return QPoint(cell.x() * 50 + 25 + BoardSurface::kBorder,
                  cell.y() * 50 + 25 + BoardSurface::kBorder);
}

// What can be heard of the replay's sounds: of those played without a wait
// in between, only the last.
QList<int> heardInReplay(const QByteArray& output) {
    QList<int> heard;
    bool waited = true;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("sound ")) {
            if (!waited)
                heard.removeLast();
            heard.append(line.mid(6).toInt());
            waited = false;
        } else if (line.startsWith("wait ")) {
            waited = true;
        }
    }
    return heard;
}

// Which of 102 (a click, 1.8 to 3.5 kHz), 107 (a knock at 560 Hz) and 104 (a
// thud below 300 Hz) starts at `seconds`: by the mean frequency of the 20 ms
// from there.
int soundAt(const std::vector<double>& samples, double seconds) {
    constexpr int kLength = 320;
    const auto from = static_cast<size_t>(seconds * kRecordRate);
    double weighted = 0, total = 0;
    for (int bin = 1; bin < kLength / 2 && from + kLength <= samples.size(); ++bin) {
        std::complex<double> sum;
        for (int i = 0; i < kLength; ++i)
            sum += samples[from + i] * std::polar(1.0, -2 * std::numbers::pi * bin * i / kLength);
        weighted += std::norm(sum) * bin * kRecordRate / kLength;
        total += std::norm(sum);
    }
    const double mean = total > 0 ? weighted / total : 0;
    return mean < 400 ? 104 : mean < 1500 ? 107 : 102;
}

} // namespace

class GameSoundTest : public QObject {
    Q_OBJECT

    Harness harness_;
    std::unique_ptr<TestWindow> window_;

private slots:
    void initTestCase() {
        if (const QString why = whyNoSoundServer(); !why.isEmpty())
            QSKIP(qPrintable(why));
        harness_.storeSettings("Sound=-1 Cols=12 Rows=7 BlockTypes=4 BlocksToClick=2");
        // As the program does: the output opens with the start-up window,
        // 2.5 s before the main window.
        harness_.sound.prepare();
        QTest::qWait(2500);
        window_ = harness_.showWindow(QSize(800, 600));
    }

    // Clicks on a block without a neighbour of its colour are refused.
    void everyClickIsHeard() {
        window_->game().loadBoard(3, 2, {1, 1, 2, 2, 2, 1});
        QTest::qWait(700);
        MonitorRecording recording;
        QVERIFY2(recording.start(), "parec delivers no samples");
        for (int click = 0; click < 20; ++click) {
            QTest::mouseClick(window_->picBoard(), Qt::LeftButton, {}, cellCentre(QPoint(2, 1)));
            QTest::qWait(300);
        }
        const std::vector<double> samples = recording.finish();
        // A refused click sounds 102 cut by 103, whose second note is no new sound.
        const size_t heard = onsets(loudness(samples), 0.2).size();
        qInfo("20 refused clicks 300 ms apart: %zu heard", heard);
        QCOMPARE(heard, size_t(20));
    }

    // A stack of four blocks falls into a hole of two: one landing per pass,
    // so every sound but the last is cut by the next after 80 ms.
    void aRemovalSoundsAsTheReplayListsIt() {
        const QByteArray board = "123\n213\n123\n213\n023\n013\n";
        std::vector<int16_t> types;
        for (const char c : board)
            if (c != '\n')
                types.push_back(int16_t(c - '0'));
        window_->game().loadBoard(3, 6, types);
        QProcess replay;
        replay.start(QCoreApplication::applicationDirPath() + "/tavro-replay");
        replay.write("btc 2\nboard\n" + board + "clicks\n0 5\n");
        replay.closeWriteChannel();
        QVERIFY(replay.waitForFinished(10000) && replay.exitCode() == 0);
        const QList<int> expected = heardInReplay(replay.readAllStandardOutput());
        QCOMPARE(expected.size(), 5); // the board is what this test is about
        QTest::qWait(700);            // the end of the new game's sound

        MonitorRecording recording;
        QVERIFY2(recording.start(), "parec delivers no samples");
        QTest::mouseClick(window_->picBoard(), Qt::LeftButton, {}, cellCentre(QPoint(0, 5)));
        QTRY_VERIFY(!window_->isMoving());
        QTest::qWait(400);
        const std::vector<double> samples = recording.finish();
        QList<int> heard;
        for (const double t : onsets(loudness(samples), 0.015))
            heard.append(soundAt(samples, t));
        qInfo() << "removal: heard" << heard << "replay" << expected;
        QCOMPARE(heard, expected);
    }
};

QTEST_MAIN(GameSoundTest)
#include "GameSoundTest.moc"
