// PlayWAV: WAVE parsing and conversion, a new sound cutting the old one where
// it was, bad ids reported, the time a call takes with and without a sound
// server; and, recorded from the private server's null sink, how long a sound
// is heard, how late it starts, and the running game's clicks and landings.

#include "MonitorRecording.h"
#include "common/SoundPlayer.h"
#include "common/SoundStream.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"
#include "game/Game.h"
#include "mainwindow/MainWindowHarness.h"
#include "ui/main/BoardSurface.h"

#include <QDebug>

using namespace tavro;
using namespace tavro::test;

#define SKIP_WITHOUT_SOUND_SERVER()                                                                \
    if (const QString why = whyNoSoundServer(); !why.isEmpty())                                    \
    QSKIP(qPrintable(why))

namespace {

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

class SoundTest : public QObject {
    Q_OBJECT

    Harness harness_;
    std::unique_ptr<TestWindow> window_;

    // A main window playing a board, its sound output opened as the program
    // does: with the start-up window, 2.5 s before the main window.
    TestWindow& window(const QByteArray& rows) {
        if (!window_) {
            harness_.storeSettings("Sound=-1 Cols=12 Rows=7 BlockTypes=4 BlocksToClick=2");
            harness_.sound.prepare();
            QTest::qWait(2500);
            window_ = harness_.showWindow(QSize(800, 600));
        }
        std::vector<int16_t> types;
        for (const char c : rows)
            types.push_back(int16_t(c - '0'));
        window_->game().loadBoard(3, int(rows.size() / 3), types);
        QTest::qWait(700); // the end of the new game's sound
        return *window_;
    }
    void click(int col, int row) {
        QTest::mouseClick(window_->picBoard(), Qt::LeftButton, {},
                          QPoint(col, row) * 50 + QPoint(25, 25) +
                              QPoint(BoardSurface::kBorder, BoardSurface::kBorder));
    }

private slots:
    void readsAndConvertsWaves() {
        // Odd-sized chunks (with their pad byte) before and after "fmt " are skipped.
        const QByteArray samples("\x80\xFF\x00\x80", 4); // silence, high, low, silence
        const auto wave =
            SoundPlayer::parseWave(riff(chunk("LIST", "abc") + fmtChunk(1, 1, 11025, 8) +
                                        chunk("fact", "xxx") + chunk("data", samples)));
        QVERIFY(wave && wave->format.sampleRate() == 11025 && wave->samples == samples);
        // A data length beyond the end of the file plays the whole frames there.
        const auto partial = SoundPlayer::parseWave(
            riff(fmtChunk(1, 2, 22050, 16) + chunk("data", QByteArray(8, '\0'))).chopped(3));
        QVERIFY(partial && partial->format.sampleFormat() == QAudioFormat::Int16 &&
                partial->samples.size() == 4);
        const QByteArray data = chunk("data", QByteArray(10, '\x80'));
        for (const QByteArray& bad : {riff(fmtChunk(2, 1, 11025, 8) + data),     // ADPCM
                                      riff(fmtChunk(1, 1, 11025, 12) + data),    // odd width
                                      riff(fmtChunk(1, 0, 11025, 8) + data),     // no channel
                                      riff(data + fmtChunk(1, 1, 11025, 8)),     // data first
                                      riff(fmtChunk(1, 1, 11025, 8)),            // no data
                                      riff(fmtChunk(1, 1, 11025, 8)).chopped(6), // short fmt
                                      QByteArray("RIFF\0\0\0\0WAVX", 12), QByteArray()})
            QVERIFY2(!SoundPlayer::parseWave(bad), bad.toHex().constData());

        const auto values = [](const QByteArray& d) {
            QList<int> out;
            for (qsizetype i = 0; i + 1 < d.size(); i += 2)
                out << qFromLittleEndian<qint16>(d.constData() + i);
            return out;
        };
        const int high = 127 * 256;
        QCOMPARE(values(SoundPlayer::toMono16(*wave, 11025)), QList<int>({0, high, -32768, 0}));
        // Four times the rate: the frames in between are interpolated.
        const QList<int> fast = values(SoundPlayer::toMono16(*wave, 44100));
        QCOMPARE(QList<int>({int(fast.size()), fast[2], fast[4]}),
                 QList<int>({3 * 4 + 1, high / 2, high}));
        // Stereo 16-bit: the mean of both channels.
        const auto stereo = SoundPlayer::parseWave(
            riff(fmtChunk(1, 2, 11025, 16) +
                 chunk("data", fields(qint16(1000), qint16(3000), qint16(-4000), qint16(0)))));
        QCOMPARE(values(SoundPlayer::toMono16(*stereo, 11025)), QList<int>({2000, -2000}));
    }

    // A new sound cuts the old one where it was when it came: what of the old
    // one was due by then and not yet taken by the device still plays first.
    void cutsWhereTheOldSoundWasWhenTheNewOneCame() {
        QAudioFormat format; // 1000 frames of 2 bytes a second: 2 bytes a millisecond
        format.setSampleRate(1000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        const QByteArray first(100, 'a'), second(40, 'b'); // 50 and 20 ms
        // Of the first sound taken by the device, ms until the second, still due.
        for (const auto& [tookMs, gapMs, dueMs] : {std::tuple(0, 0, 0),
                                                   {0, 2, 2} /* device full */,
                                                   {10, 30, 20},
                                                   {10, 3, 0},
                                                   {50, 500, 0}}) {
            SoundStream stream(format);
            const auto t0 = SoundStream::Clock::now();
            stream.start(first, t0, 10);
            stream.consume(stream.next(tookMs * 2).size());
            stream.start(second, t0 + std::chrono::milliseconds(gapMs), 10);
            QCOMPARE(stream.next(1000),
                     first.mid(tookMs * 2, dueMs * 2) + second + QByteArray(20, 0));
            // Only whole frames, only what the device took, then nothing.
            QCOMPARE(stream.next(3).size(), 2);
            stream.consume(stream.next(1000).size() - 1);
            QCOMPARE(stream.next(1000), QByteArray(2, 0));
            stream.consume(2);
            QVERIFY(stream.done() && stream.next(1000).isEmpty());
        }
    }

    void soundDataIsTheLastWaveAndBadIdsAreReported() {
        QStringList reports;
        const auto previous =
            setErrorHandler([&](const QString& m, const QString& p, const Failure& f) {
                reports << QStringLiteral("%1/%2 %3").arg(m, p).arg(f.number);
                return int(Continue::Leave);
            });
        SoundPlayer player;
        QVERIFY(player.soundData().isEmpty());
        player.PlayWAV(SoundId::ReachedBottom);
        for (int id : {99, 108, -1})
            player.PlayWAV(SoundId(id));
        setErrorHandler(previous);
        QCOMPARE(player.soundData(), ::readFile(":/wav/104.wav"));
        QCOMPARE(
            reports,
            QStringList(
                3, QStringLiteral("basCommon/PlayWAV %1").arg(int(AppError::ResourceNotFound))));
    }

    void callsReturnQuickly() {
        SoundPlayer player;
        QElapsedTimer timer;
        timer.start();
        player.PlayWAV(SoundId::Click); // opens the sound output, in the background
        const qint64 first = timer.nsecsElapsed();
        qint64 slowest = 0;
        for (int id : {104, 107, 104, 107, 102, 103, 106, 104, 107, 105}) {
            timer.start();
            player.PlayWAV(SoundId(id));
            slowest = std::max(slowest, timer.nsecsElapsed());
            QTest::qWait(15);
        }
        qInfo("PlayWAV: first call %.2f ms, then slowest %.2f ms", first / 1e6, slowest / 1e6);
        // A falling pass lasts 80 ms; a sound must take only a small part of it.
        QVERIFY2(std::max(first, slowest) < 40'000'000, "PlayWAV blocks the caller");
    }

    // Without a sound server the game plays on silently and says nothing.
    void quietAndQuickWithoutASoundServer() {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:/nonexistent");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"callsReturnQuickly"});
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromUtf8(child.readAll());
        QVERIFY2(child.exitCode() == 0 && !output.contains("QWARN"), qPrintable(output));
        const qsizetype figure = output.indexOf("PlayWAV:");
        qInfo("no sound server: %s", qPrintable(output.mid(figure).section('\n', 0, 0)));
    }

    // Sound off means PlayWAV is never called: the player opens nothing.
    void opensNoStreamUntilAsked() {
        SKIP_WITHOUT_SOUND_SERVER();
        const auto streams = [] {
            QProcess list;
            list.start("pactl", {"list", "short", "sink-inputs"});
            list.waitForFinished(3000);
            return list.readAllStandardOutput().count('\n');
        };
        const qsizetype before = streams();
        SoundPlayer player;
        QTest::qWait(300);
        QCOMPARE(streams(), before);
        player.prepare();
        QTRY_COMPARE(streams(), before + 1);
    }

    // The fanfare 105 (2.4 s) is heard whole, or until 104 (80 ms) cuts it.
    void playsThroughTheSoundServer() {
        SKIP_WITHOUT_SOUND_SERVER();
        SoundPlayer player;
        player.prepare(); // as the program does at start-up
        for (const auto& [cutAfterMs, shortest, longest] :
             {std::tuple(0, 2.0, 2.8), {300, 0.25, 0.8}}) {
            MonitorRecording recording;
            QVERIFY2(recording.start(), "parec delivers no samples");
            player.PlayWAV(SoundId::BoardCleared);
            if (cutAfterMs > 0) {
                QTest::qWait(cutAfterMs);
                player.PlayWAV(SoundId::ReachedBottom);
            }
            QTest::qWait(3200 - cutAfterMs);
            const std::vector<Loudness> windows = loudness(recording.finish());
            // Seconds between the first and the last window with sound in it.
            auto heard = [](const Loudness& w) { return w.rest > kHeard; };
            const auto from = std::find_if(windows.begin(), windows.end(), heard);
            const auto to = std::find_if(windows.rbegin(), windows.rend(), heard);
            const double seconds =
                from == windows.end() ? 0 : (to.base() - from) * double(kWindow) / kRecordRate;
            qInfo("cut after %d ms: audible for %.2f s", cutAfterMs, seconds);
            QVERIFY2(seconds > shortest && seconds < longest, qPrintable(QString::number(seconds)));
        }
    }

    // Each trial plays sound 107 and, kOffsetMs later, a 6 kHz tone through
    // paplay, a client of its own. Where the game's sound starts in the
    // recording, against the tone's start moved back by the offset, is its
    // delay over that of a fresh client that asks the server for nothing.
    void startsAtOnceWhateverTheRecorderAsks() {
        SKIP_WITHOUT_SOUND_SERVER();
        constexpr int kTrials = 8, kOffsetMs = 200, kTrialMs = 700;
        SoundPlayer player;
        player.prepare();
        MonitorRecording recording;
        QVERIFY2(recording.start(), "parec delivers no samples");
        for (int trial = 0; trial < kTrials; ++trial) {
            player.PlayWAV(SoundId::Landed);
            QTest::qWait(kOffsetMs);
            recording.playTone();
            QTest::qWait(kTrialMs - kOffsetMs);
        }
        const std::vector<Loudness> windows = loudness(recording.finish());
        const std::vector<double> tones = onsets(windows, 0.3, true), sounds = onsets(windows, 0.3);
        QCOMPARE(tones.size(), size_t(kTrials));
        std::vector<double> delays;
        for (const double t : tones) {
            const double due = t - kOffsetMs / 1000.0;
            const auto s = std::lower_bound(sounds.begin(), sounds.end(), due - 0.1);
            if (s != sounds.end() && *s < due + (kTrialMs - kOffsetMs) / 1000.0 - 0.1)
                delays.push_back(*s - due);
        }
        QVERIFY2(
            delays.size() == kTrials,
            qPrintable(QStringLiteral("%1 of %2 sounds heard").arg(delays.size()).arg(kTrials)));
        std::sort(delays.begin(), delays.end());
        const double median = delays[kTrials / 2], worst = delays.back();
        qInfo("delay behind a fresh client: median %.0f ms, worst %.0f ms (%d trials)",
              median * 1000, worst * 1000, kTrials);
        QVERIFY2(median <= 0.050 && worst <= 0.120, "sounds start late");
    }

    // The game refuses a click on a block without a neighbour of its colour
    // with 102 cut by 103, whose second note is no new sound.
    void everyClickOfTheGameIsHeard() {
        SKIP_WITHOUT_SOUND_SERVER();
        window("112221");
        MonitorRecording recording;
        QVERIFY2(recording.start(), "parec delivers no samples");
        for (int i = 0; i < 20; ++i) {
            click(2, 1);
            QTest::qWait(300);
        }
        const size_t heard = onsets(loudness(recording.finish()), 0.2).size();
        qInfo("20 refused clicks 300 ms apart: %zu heard", heard);
        QCOMPARE(heard, size_t(20));
    }

    // A stack of four blocks falls into a hole of two, one cell a pass: the
    // click, the lowest block reaching the bottom, then three landing on it,
    // each sound cut by the next after 80 ms.
    void aRemovalSoundsAsTheGameListsIt() {
        SKIP_WITHOUT_SOUND_SERVER();
        TestWindow& w = window("123213123213023013");
        MonitorRecording recording;
        QVERIFY2(recording.start(), "parec delivers no samples");
        click(0, 5);
        QTRY_VERIFY(!w.isMoving());
        QTest::qWait(400);
        const std::vector<double> samples = recording.finish();
        QList<int> heard;
        for (const double t : onsets(loudness(samples), 0.015))
            heard.append(soundAt(samples, t));
        qInfo() << "removal: heard" << heard;
        QCOMPARE(heard, QList<int>({102, 104, 107, 107, 107}));
    }
};

QTEST_MAIN(SoundTest)
#include "SoundTest.moc"
