// PlayWAV: WAVE parsing and conversion, error reporting of a bad id, the time
// a call takes, and real playback recorded from the PulseAudio null sink.
#include "common/SoundPlayer.h"

#include "MonitorRecording.h"
#include "WaveBytes.h"
#include "common/SoundStream.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <functional>

using namespace tavro;
using namespace tavro::test;

namespace {

// The recording of the sound server while `play` runs; empty when the
// recorder delivers nothing.
std::vector<double> recordWhile(const std::function<void()>& play) {
    MonitorRecording recording;
    if (!recording.start())
        return {};
    play();
    return recording.finish();
}

// Seconds between the first and the last window with sound in it.
double audibleSeconds(const std::vector<double>& samples) {
    const std::vector<Loudness> windows = loudness(samples);
    auto heard = [](const Loudness& w) { return w.rest > kHeard; };
    const auto first = std::find_if(windows.begin(), windows.end(), heard);
    const auto last = std::find_if(windows.rbegin(), windows.rend(), heard);
    return first == windows.end() ? 0 : (last.base() - first) * double(kWindow) / kRecordRate;
}

// The median and the largest value.
std::pair<double, double> medianAndWorst(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// The streams the sound server plays, one line each.
QStringList serverStreams() {
    QProcess list;
    list.start("pactl", {"list", "short", "sink-inputs"});
    list.waitForFinished(3000);
    return QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void parsesChunksInAnyOrderWithPadding() {
        // An odd-sized chunk before "fmt " (with its pad byte) and one between
        // "fmt " and "data" are skipped.
        const QByteArray samples("\x80\x90\xA0", 3);
        const auto wave =
            SoundPlayer::parseWave(riff(chunk("LIST", "abc") + fmtChunk(1, 1, 8000, 8) +
                                        chunk("fact", "xxxx") + chunk("data", samples)));
        QVERIFY(wave);
        QCOMPARE(std::pair(wave->format.sampleRate(), wave->samples), std::pair(8000, samples));
        // A data length beyond the end of the file plays the whole frames there.
        const auto partial = SoundPlayer::parseWave(
            riff(fmtChunk(1, 2, 22050, 16) + chunk("data", QByteArray(8, '\0'))).chopped(3));
        QVERIFY(partial);
        QCOMPARE(std::pair(partial->format.sampleFormat(), partial->samples.size()),
                 std::pair(QAudioFormat::Int16, qsizetype(4)));
    }

    void refusesWhatIsNotPlayablePcm() {
        const QByteArray data = chunk("data", QByteArray(10, '\x80'));
        QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(2, 1, 11025, 8) + data)));  // ADPCM
        QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 1, 11025, 12) + data))); // odd width
        QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 0, 11025, 8) + data)));  // no channel
        QVERIFY(!SoundPlayer::parseWave(riff(data + fmtChunk(1, 1, 11025, 8))));  // data first
        QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 1, 11025, 8))));         // no data
        QVERIFY(!SoundPlayer::parseWave(QByteArray("RIFF\0\0\0\0WAVX", 12)));
        QVERIFY(!SoundPlayer::parseWave(QByteArray()));
        QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 1, 11025, 8)).chopped(6))); // short fmt
    }

    void convertsToMono16() {
        auto s16 = [](const QByteArray& d, int i) {
            return qFromLittleEndian<qint16>(d.constData() + 2 * i);
        };
        SoundPlayer::WaveImage wave;
        wave.format.setSampleRate(11025);
        wave.format.setChannelCount(1);
        wave.format.setSampleFormat(QAudioFormat::UInt8);
        wave.samples = QByteArray("\x80\xFF\x00\x80", 4); // silence, high, low, silence
        const QByteArray same = SoundPlayer::toMono16(wave, 11025);
        QCOMPARE(QList<int>({int(same.size()), s16(same, 0), s16(same, 1), s16(same, 2)}),
                 QList<int>({4 * 2, 0, 127 * 256, -32768}));
        // Four times the rate: the frames in between are interpolated.
        const QByteArray fast = SoundPlayer::toMono16(wave, 44100);
        QCOMPARE(QList<int>({int(fast.size()), s16(fast, 2), s16(fast, 4)}),
                 QList<int>({(3 * 4 + 1) * 2, (127 * 256) / 2, 127 * 256}));
        // Stereo 16-bit: the mean of both channels.
        wave.format.setChannelCount(2);
        wave.format.setSampleFormat(QAudioFormat::Int16);
        wave.samples = fields(qint16(1000), qint16(3000), qint16(-4000), qint16(0));
        const QByteArray mono = SoundPlayer::toMono16(wave, 11025);
        QCOMPARE(QList<int>({int(mono.size()), s16(mono, 0), s16(mono, 1)}),
                 QList<int>({4, 2000, -2000}));
    }

    // The stream runs at 1000 frames of 2 bytes a second: 2 bytes a millisecond.
    void cutsWhereTheOldSoundWasWhenTheNewOneCame_data() {
        QTest::addColumn<int>("tookMs"); // of the first sound (50 ms) before the second
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<int>("stillDueMs");
        QTest::newRow("same instant") << 0 << 0 << 0;
        QTest::newRow("2 ms later, device full") << 0 << 2 << 2;
        QTest::newRow("30 ms later, 10 ms taken") << 10 << 30 << 20;
        QTest::newRow("3 ms later, 10 ms taken") << 10 << 3 << 0;
        QTest::newRow("after the first ended") << 50 << 500 << 0;
    }
    void cutsWhereTheOldSoundWasWhenTheNewOneCame() {
        QFETCH(int, tookMs);
        QFETCH(int, gapMs);
        QFETCH(int, stillDueMs);
        QAudioFormat format;
        format.setSampleRate(1000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        const QByteArray first(100, 'a'), second(40, 'b');
        SoundStream stream(format);
        const auto t0 = SoundStream::Clock::now();
        stream.start(first, t0, 10);
        stream.consume(stream.next(tookMs * 2).size());
        stream.start(second, t0 + std::chrono::milliseconds(gapMs), 10);
        QCOMPARE(stream.next(1000),
                 first.mid(tookMs * 2, stillDueMs * 2) + second + QByteArray(20, 0));
        // Only whole frames, only what the device took, then nothing.
        QCOMPARE(stream.next(3).size(), 2);
        stream.consume(stream.next(1000).size() - 1);
        QCOMPARE(stream.next(1000), QByteArray(2, 0));
        stream.consume(2);
        QVERIFY(stream.done() && stream.next(1000).isEmpty());
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
        for (int id : {100, 105, 102, 107, 104}) {
            player.PlayWAV(SoundId(id));
            QCOMPARE(player.soundData(), readFile(QStringLiteral(":/wav/%1.wav").arg(id)));
        }
        for (int id : {99, 108, -1})
            player.PlayWAV(SoundId(id));
        setErrorHandler(previous);
        QCOMPARE(player.soundData(), readFile(":/wav/104.wav"));
        const QString notFound =
            QStringLiteral("basCommon/PlayWAV %1").arg(int(AppError::ResourceNotFound));
        QCOMPARE(reports, QStringList(3, notFound));
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

    void playsThroughTheSoundServer_data() {
        QTest::addColumn<int>("cutAfter"); // ms until sound 104 (80 ms) follows, 0: never
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("fanfare 105, 2.4 s") << 0 << 2.0 << 2.8;
        QTest::newRow("105 cut by 104 after 0.3 s") << 300 << 0.25 << 0.8;
    }
    void playsThroughTheSoundServer() {
        QFETCH(int, cutAfter);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        if (const QString why = whyNoSoundServer(); !why.isEmpty())
            QSKIP(qPrintable(why));
        SoundPlayer player;
        player.prepare(); // as the program does at start-up
        const std::vector<double> pcm = recordWhile([&] {
            player.PlayWAV(SoundId::BoardCleared);
            if (cutAfter > 0) {
                QTest::qWait(cutAfter);
                player.PlayWAV(SoundId::ReachedBottom);
            }
            QTest::qWait(3200 - cutAfter);
        });
        QVERIFY2(!pcm.empty(), "parec delivers no samples");
        const double seconds = audibleSeconds(pcm);
        qInfo("audible for %.2f s", seconds);
        QVERIFY2(seconds > shortest && seconds < longest, qPrintable(QString::number(seconds)));
    }

    // Sound off means PlayWAV is never called: the player opens nothing.
    void opensNoStreamUntilAsked() {
        if (const QString why = whyNoSoundServer(); !why.isEmpty())
            QSKIP(qPrintable(why));
        const qsizetype before = serverStreams().size();
        SoundPlayer player;
        QTest::qWait(300);
        QCOMPARE(serverStreams().size(), before);
        player.prepare();
        QTRY_COMPARE(serverStreams().size(), before + 1);
    }

    // Each trial plays sound 107 and, kOffsetMs later, a 6 kHz tone through
    // paplay, a client of its own. Where the game's sound starts in the
    // recording, against the tone's start moved back by the offset, is its
    // delay over that of a fresh client that asks the server for nothing.
    void startsAtOnceWhateverTheRecorderAsks() {
        if (const QString why = whyNoSoundServer(); !why.isEmpty())
            QSKIP(qPrintable(why));
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
        const std::vector<double> pcm = recording.finish();
        const std::vector<Loudness> windows = loudness(pcm);
        const std::vector<double> tones = onsets(windows, 0.3, 3, true);
        const std::vector<double> sounds = onsets(windows, 0.3);
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
        const auto [median, worst] = medianAndWorst(delays);
        qInfo("delay behind a fresh client: median %.0f ms, worst %.0f ms (%d trials)",
              median * 1000, worst * 1000, kTrials);
        QVERIFY2(median <= 0.050 && worst <= 0.120, "sounds start late");
    }
};

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
