// PlayWAV: WAVE parsing and conversion, error reporting of a bad id, the time
// a call takes, and real playback recorded from the PulseAudio null sink.
#include "common/SoundPlayer.h"

#include "WaveBytes.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <functional>

using namespace tavro;

namespace {

// The null sink's monitor as 8 kHz mono 16-bit, recorded while `play` runs;
// empty when the monitor delivers no samples (connecting can take a while).
QByteArray recordWhile(const std::function<void()>& play) {
    QProcess recorder;
    recorder.start("parecord",
                   {"--device=" + qEnvironmentVariable("TAVRO_PULSE_SINK") + ".monitor", "--raw",
                    "--format=s16le", "--rate=8000", "--channels=1", "--latency-msec=10"});
    if (!QTest::qWaitFor([&] { return recorder.bytesAvailable() >= 800; }, 5000))
        return {};
    recorder.readAllStandardOutput(); // silence from before the sound
    play();
    recorder.terminate();
    recorder.waitForFinished(3000);
    return recorder.readAllStandardOutput();
}

// Seconds between the first and the last 10 ms window with sound in it.
double audibleSeconds(const QByteArray& pcm) {
    const int window = 80; // 10 ms at 8 kHz
    int first = -1, last = -1;
    for (int w = 0; (w + 1) * window * 2 <= pcm.size(); ++w) {
        double energy = 0;
        for (int i = 0; i < window; ++i) {
            const double v = qFromLittleEndian<qint16>(pcm.constData() + 2 * (w * window + i));
            energy += v * v;
        }
        if (std::sqrt(energy / window) > 300) {
            first = first < 0 ? w : first;
            last = w;
        }
    }
    return first < 0 ? 0 : (last - first + 1) * 0.01;
}

// Why the private sound server cannot be used; empty when it can.
QString whyNoSoundServer() {
    if (qEnvironmentVariableIsEmpty("TAVRO_PULSE_SINK"))
        return "TAVRO_PULSE_SINK not set: no private PulseAudio server (scripts/start-audio)";
    QProcess info;
    info.start("pactl", {"info"});
    if (!info.waitForFinished(3000) || info.exitCode() != 0)
        return "the PulseAudio server named by the environment does not answer";
    if (QMediaDevices::defaultAudioOutput().isNull())
        return "Qt sees no audio output device";
    return {};
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

    void convertsToOtherFormats() {
        SoundPlayer::WaveImage wave;
        wave.format.setSampleRate(11025);
        wave.format.setChannelCount(1);
        wave.format.setSampleFormat(QAudioFormat::UInt8);
        wave.samples = QByteArray("\x80\xFF\x00\x80", 4); // silence, high, low, silence
        auto s16 = [](const QByteArray& d, int i) {
            return qFromLittleEndian<qint16>(d.constData() + 2 * i);
        };

        QAudioFormat target = wave.format;
        target.setChannelCount(2);
        target.setSampleFormat(QAudioFormat::Int16);
        const QByteArray stereo = SoundPlayer::convertPcm(wave, target);
        QCOMPARE(QList<int>({int(stereo.size()), s16(stereo, 0), s16(stereo, 2), s16(stereo, 3),
                             s16(stereo, 4)}),
                 QList<int>({4 * 2 * 2, 0, 127 * 256, 127 * 256, -32768}));

        // Four times the rate: the frames in between are interpolated.
        target.setSampleRate(44100);
        target.setChannelCount(1);
        const QByteArray fast = SoundPlayer::convertPcm(wave, target);
        QCOMPARE(QList<int>({int(fast.size()), s16(fast, 2), s16(fast, 4)}),
                 QList<int>({(3 * 4 + 1) * 2, (127 * 256) / 2, 127 * 256}));

        target.setSampleRate(11025);
        target.setSampleFormat(QAudioFormat::Float);
        const QByteArray floats = SoundPlayer::convertPcm(wave, target);
        QCOMPARE(std::pair(floats.size(), qFromLittleEndian<float>(floats.constData() + 8)),
                 std::pair(qsizetype(16), -1.0f));
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
            player.PlayWAV(id);
            QCOMPARE(player.soundData(), readFile(QStringLiteral(":/wav/%1.wav").arg(id)));
        }
        for (int id : {99, 108, -1})
            player.PlayWAV(id);
        setErrorHandler(previous);
        QCOMPARE(player.soundData(), readFile(":/wav/104.wav"));
        const QString notFound =
            QStringLiteral("basCommon/PlayWAV %1").arg(int(AppError::ResourceNotFound));
        QCOMPARE(reports, QStringList(3, notFound));
    }

    void callsReturnQuickly() {
        SoundPlayer player;
        player.PlayWAV(102); // the first call opens the sound system
        QElapsedTimer timer;
        qint64 slowest = 0;
        for (int id : {104, 107, 104, 107, 102, 103, 106, 104, 107, 105}) {
            timer.start();
            player.PlayWAV(id);
            slowest = std::max(slowest, timer.nsecsElapsed());
            QTest::qWait(15);
        }
        qInfo("PlayWAV: slowest %.2f ms", slowest / 1e6);
        // A falling pass lasts 80 ms; a sound must take only a small part of it.
        QVERIFY2(slowest < 40'000'000, "PlayWAV blocks the caller");
    }

    void playsThroughTheSoundServer_data() {
        QTest::addColumn<int>("cutAfter"); // ms until sound 104 (80 ms) follows, 0: never
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("fanfare 105 (2.4 s)") << 0 << 2.0 << 2.8;
        QTest::newRow("105 cut by 104 after 0.3 s") << 300 << 0.25 << 0.8;
    }
    void playsThroughTheSoundServer() {
        QFETCH(int, cutAfter);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        if (const QString why = whyNoSoundServer(); !why.isEmpty())
            QSKIP(qPrintable(why));
        const QByteArray pcm = recordWhile([cutAfter] {
            SoundPlayer player;
            player.PlayWAV(105);
            if (cutAfter > 0) {
                QTest::qWait(cutAfter);
                player.PlayWAV(104);
            }
            QTest::qWait(3200 - cutAfter);
        });
        QVERIFY2(!pcm.isEmpty(), "parecord delivers no samples");
        const double seconds = audibleSeconds(pcm);
        qInfo("audible for %.2f s", seconds);
        QVERIFY2(seconds > shortest && seconds < longest, qPrintable(QString::number(seconds)));
    }
};

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
