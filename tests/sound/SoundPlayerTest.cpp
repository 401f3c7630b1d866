// PlayWAV: WAVE parsing and conversion, error reporting of a bad id, the time
// a call takes, and real playback recorded from the PulseAudio null sink.
#include "common/SoundPlayer.h"

#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QtEndian>
#include <QtTest>
#include <cmath>

using tavro::SoundPlayer;

namespace {

QByteArray resource(int id) {
    QFile file(QStringLiteral(":/wav/%1.wav").arg(id));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

QByteArray fmtChunk(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    QByteArray c("fmt ");
    put32(c, 16);
    put16(c, tag);
    put16(c, channels);
    put32(c, rate);
    put32(c, rate * channels * bits / 8);
    put16(c, channels * bits / 8);
    put16(c, bits);
    return c;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray c(id, 4);
    put32(c, body.size());
    c += body;
    if (body.size() % 2)
        c.append('\0');
    return c;
}

QByteArray riff(const QByteArray& chunks) {
    QByteArray file("RIFF");
    put32(file, 4 + chunks.size());
    return file + "WAVE" + chunks;
}

// Records the null sink's monitor as 8 kHz mono 16-bit while `play` runs.
class MonitorRecording {
public:
    explicit MonitorRecording(const QString& sink) {
        process_.start("parecord", {"--device=" + sink + ".monitor", "--raw", "--format=s16le",
                                    "--rate=8000", "--channels=1", "--latency-msec=10"});
    }
    // True once the monitor delivers samples (connecting can take a while).
    bool started() {
        if (!process_.waitForStarted(3000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (process_.bytesAvailable() < 800 && timer.elapsed() < 5000)
            QTest::qWait(10);
        process_.readAllStandardOutput(); // silence from before the sound
        return timer.elapsed() < 5000;
    }
    QByteArray stop() {
        process_.terminate();
        process_.waitForFinished(3000);
        return process_.readAllStandardOutput();
    }

private:
    QProcess process_;
};

// Seconds between the first and the last 10 ms window with sound in it.
double audibleSeconds(const QByteArray& pcm) {
    const int window = 80; // 10 ms at 8 kHz
    const qsizetype samples = pcm.size() / 2;
    int first = -1, last = -1;
    for (qsizetype w = 0; (w + 1) * window <= samples; ++w) {
        double energy = 0;
        for (int i = 0; i < window; ++i) {
            const double v = qFromLittleEndian<qint16>(pcm.constData() + 2 * (w * window + i));
            energy += v * v;
        }
        if (std::sqrt(energy / window) > 300) {
            if (first < 0)
                first = static_cast<int>(w);
            last = static_cast<int>(w);
        }
    }
    return first < 0 ? 0 : (last - first + 1) * 0.01;
}

bool soundServerReachable(QString& why) {
    const QString sink = qEnvironmentVariable("TAVRO_PULSE_SINK");
    if (sink.isEmpty()) {
        why = "TAVRO_PULSE_SINK not set: no private PulseAudio server (start it with "
              "scripts/start-audio)";
        return false;
    }
    QProcess info;
    info.start("pactl", {"info"});
    if (!info.waitForFinished(3000) || info.exitCode() != 0) {
        why = "the PulseAudio server named by the environment does not answer";
        return false;
    }
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        why = "Qt sees no audio output device";
        return false;
    }
    return true;
}

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void parsesTheWaveResources();
    void parsesChunksInAnyOrderWithPadding();
    void refusesWhatIsNotPlayablePcm();
    void convertsToOtherFormats();
    void badIdIsReportedAndKeepsTheLastSound();
    void soundDataIsTheLastWaveFile();
    void callsReturnQuickly();
    void playsThroughTheSoundServer();
    void aNewSoundCutsThePlayingOne();
};

void SoundPlayerTest::parsesTheWaveResources() {
    const int rates[] = {11025, 11025, 11025, 7500, 11025, 11013, 11025, 11025};
    const int lengths[] = {5290, 2559, 115, 1494, 865, 26400, 3603, 1512};
    for (int id = 100; id <= 107; ++id) {
        const auto wave = SoundPlayer::parseWave(resource(id));
        QVERIFY(wave);
        QCOMPARE(wave->format.sampleRate(), rates[id - 100]);
        QCOMPARE(wave->format.channelCount(), 1);
        QCOMPARE(wave->format.sampleFormat(), QAudioFormat::UInt8);
        QCOMPARE(wave->samples.size(), lengths[id - 100]);
    }
}

void SoundPlayerTest::parsesChunksInAnyOrderWithPadding() {
    // An odd-sized chunk before "fmt " (with its pad byte) and one between
    // "fmt " and "data" must be skipped.
    const QByteArray samples("\x80\x90\xA0", 3);
    const QByteArray file = riff(chunk("LIST", "abc") + fmtChunk(1, 1, 8000, 8) +
                                 chunk("fact", QByteArray(4, 'x')) + chunk("data", samples));
    const auto wave = SoundPlayer::parseWave(file);
    QVERIFY(wave);
    QCOMPARE(wave->format.sampleRate(), 8000);
    QCOMPARE(wave->samples, samples);
    // A data length beyond the end of the file plays what is there.
    QByteArray cut = riff(fmtChunk(1, 2, 22050, 16) + chunk("data", QByteArray(8, '\0')));
    cut.chop(3);
    const auto partial = SoundPlayer::parseWave(cut);
    QVERIFY(partial);
    QCOMPARE(partial->format.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(partial->samples.size(), 4); // whole frames only
}

void SoundPlayerTest::refusesWhatIsNotPlayablePcm() {
    const QByteArray data = chunk("data", QByteArray(10, '\x80'));
    QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(2, 1, 11025, 8) + data)));  // ADPCM
    QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 1, 11025, 12) + data))); // odd width
    QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 0, 11025, 8) + data)));  // no channel
    QVERIFY(!SoundPlayer::parseWave(riff(data + fmtChunk(1, 1, 11025, 8))));  // data first
    QVERIFY(!SoundPlayer::parseWave(riff(fmtChunk(1, 1, 11025, 8))));         // no data
    QVERIFY(!SoundPlayer::parseWave(QByteArray("RIFF\0\0\0\0WAVX", 12)));
    QVERIFY(!SoundPlayer::parseWave(QByteArray()));
    QByteArray shortFmt = riff(fmtChunk(1, 1, 11025, 8));
    shortFmt.chop(6);
    QVERIFY(!SoundPlayer::parseWave(shortFmt));
}

void SoundPlayerTest::convertsToOtherFormats() {
    SoundPlayer::WaveImage wave;
    wave.format.setSampleRate(11025);
    wave.format.setChannelCount(1);
    wave.format.setSampleFormat(QAudioFormat::UInt8);
    wave.samples = QByteArray("\x80\xFF\x00\x80", 4); // silence, high, low, silence

    QAudioFormat stereo16;
    stereo16.setSampleRate(11025);
    stereo16.setChannelCount(2);
    stereo16.setSampleFormat(QAudioFormat::Int16);
    const QByteArray same = SoundPlayer::convertPcm(wave, stereo16);
    QCOMPARE(same.size(), 4 * 2 * 2);
    auto s16 = [](const QByteArray& d, int i) {
        return qFromLittleEndian<qint16>(d.constData() + 2 * i);
    };
    QCOMPARE(s16(same, 0), 0);
    QCOMPARE(s16(same, 2), 127 * 256);
    QCOMPARE(s16(same, 3), 127 * 256); // both channels
    QCOMPARE(s16(same, 4), -32768);

    // Four times the rate: the frames in between are interpolated.
    QAudioFormat fast = stereo16;
    fast.setSampleRate(44100);
    fast.setChannelCount(1);
    const QByteArray upsampled = SoundPlayer::convertPcm(wave, fast);
    QCOMPARE(upsampled.size(), (3 * 4 + 1) * 2);
    QCOMPARE(s16(upsampled, 2), (127 * 256) / 2);
    QCOMPARE(s16(upsampled, 4), 127 * 256);

    QAudioFormat floats = fast;
    floats.setSampleRate(11025);
    floats.setSampleFormat(QAudioFormat::Float);
    const QByteArray asFloat = SoundPlayer::convertPcm(wave, floats);
    QCOMPARE(asFloat.size(), 16);
    QCOMPARE(qFromLittleEndian<float>(asFloat.constData() + 8), -1.0f);
}

void SoundPlayerTest::badIdIsReportedAndKeepsTheLastSound() {
    struct Report {
        QString module, procedure;
        int number;
    };
    QList<Report> reports;
    const auto previous =
        tavro::setErrorHandler([&](const QString& m, const QString& p, const tavro::Failure& f) {
            reports.append({m, p, f.number});
            return int(tavro::Continue::Leave);
        });
    SoundPlayer player;
    player.PlayWAV(104);
    player.PlayWAV(99);
    player.PlayWAV(108);
    player.PlayWAV(-1);
    tavro::setErrorHandler(previous);
    QCOMPARE(reports.size(), 3);
    for (const Report& r : reports) {
        QCOMPARE(r.module, QString("basCommon"));
        QCOMPARE(r.procedure, QString("PlayWAV"));
        QCOMPARE(r.number, int(tavro::AppError::ResourceNotFound));
    }
    QCOMPARE(player.soundData(), resource(104));
}

void SoundPlayerTest::soundDataIsTheLastWaveFile() {
    SoundPlayer player;
    QVERIFY(player.soundData().isEmpty());
    for (int id : {100, 105, 102, 107}) {
        player.PlayWAV(id);
        QCOMPARE(player.soundData(), resource(id));
    }
}

void SoundPlayerTest::callsReturnQuickly() {
    SoundPlayer player;
    player.PlayWAV(102); // the first call opens the sound system
    QElapsedTimer timer;
    qint64 slowest = 0, total = 0;
    const int ids[] = {104, 107, 104, 107, 102, 103, 106, 104, 107, 105};
    for (int id : ids) {
        timer.start();
        player.PlayWAV(id);
        const qint64 spent = timer.nsecsElapsed();
        slowest = std::max(slowest, spent);
        total += spent;
        QTest::qWait(15);
    }
    qInfo("PlayWAV: mean %.2f ms, slowest %.2f ms", total / 1e6 / std::size(ids), slowest / 1e6);
    // A falling pass lasts 80 ms; a sound must take only a small part of it.
    QVERIFY2(slowest < 40'000'000, "PlayWAV blocks the caller");
}

void SoundPlayerTest::playsThroughTheSoundServer() {
    QString why;
    if (!soundServerReachable(why))
        QSKIP(qPrintable(why));
    MonitorRecording recording(qEnvironmentVariable("TAVRO_PULSE_SINK"));
    QVERIFY2(recording.started(), "parecord delivers no samples");
    SoundPlayer player;
    player.PlayWAV(105); // 2.4 seconds
    QTest::qWait(3200);
    const double seconds = audibleSeconds(recording.stop());
    qInfo("sound 105 audible for %.2f s", seconds);
    QVERIFY2(seconds > 2.0 && seconds < 2.8, qPrintable(QString::number(seconds)));
}

void SoundPlayerTest::aNewSoundCutsThePlayingOne() {
    QString why;
    if (!soundServerReachable(why))
        QSKIP(qPrintable(why));
    MonitorRecording recording(qEnvironmentVariable("TAVRO_PULSE_SINK"));
    QVERIFY2(recording.started(), "parecord delivers no samples");
    SoundPlayer player;
    player.PlayWAV(105);
    QTest::qWait(300);
    player.PlayWAV(104); // 80 ms: the fanfare must stop here
    QTest::qWait(2800);
    const double seconds = audibleSeconds(recording.stop());
    qInfo("105 cut by 104 after 0.3 s: audible for %.2f s", seconds);
    QVERIFY2(seconds > 0.25 && seconds < 0.8, qPrintable(QString::number(seconds)));
}

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
