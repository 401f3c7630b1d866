#pragma once

// Records the private sound server's null sink with parec at its default
// latency (which makes the server mix in blocks of up to two seconds unless a
// client asks for less) and finds the sounds in the recording.

#include "WaveBytes.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <complex>
#include <numbers>

namespace tavro::test {

constexpr int kRecordRate = 16000;
constexpr int kWindow = 80;         // 5 ms
constexpr int kToneBin = 30;        // 6 kHz in an 80-point transform at 16 kHz
constexpr double kHeard = 300;      // RMS of a window with sound in it
constexpr double kToneHeard = 1000; // RMS of the reference tone in a window

// Why the private sound server cannot be used; empty when it can.
inline QString whyNoSoundServer() {
    if (qEnvironmentVariableIsEmpty("TAVRO_PULSE_SINK"))
        return "TAVRO_PULSE_SINK not set: no private PulseAudio server (scripts/start-audio)";
    QProcess info;
    info.start("pactl", {"info"});
    if (!info.waitForFinished(3000) || info.exitCode() != 0)
        return "the PulseAudio server named by the environment does not answer";
    return {};
}

struct Loudness { // of a 5 ms window: RMS of the 6 kHz reference tone and of everything else
    double tone, rest;
};

inline std::vector<Loudness> loudness(const std::vector<double>& s) {
    std::vector<Loudness> out;
    for (size_t at = 0; at + kWindow <= s.size(); at += kWindow) {
        double total = 0;
        std::complex<double> bin;
        for (int i = 0; i < kWindow; ++i) {
            total += s[at + i] * s[at + i];
            bin += s[at + i] * std::polar(1.0, -2 * std::numbers::pi * kToneBin * i / kWindow);
        }
        const double tone = 2 * std::norm(bin) / kWindow; // both mirror bins
        out.push_back(
            {std::sqrt(tone / kWindow), std::sqrt(std::max(0.0, total - tone) / kWindow)});
    }
    return out;
}

// Seconds at which a sound (or the tone) starts: a window three times as loud
// as one of the two before it (the recording starts in silence), at least
// `gap` seconds after the last start.
inline std::vector<double> onsets(const std::vector<Loudness>& windows, double gap,
                                  bool tone = false) {
    std::vector<double> found;
    auto level = [&](size_t w) { return tone ? windows[w].tone : windows[w].rest; };
    for (size_t w = 0; w < windows.size(); ++w) {
        const double before =
            std::max(kHeard / 4, w < 2 ? 0.0 : std::min(level(w - 1), level(w - 2)));
        const double t = w * double(kWindow) / kRecordRate;
        if (level(w) > (tone ? kToneHeard : kHeard) && level(w) > 3 * before &&
            (found.empty() || t - found.back() >= gap))
            found.push_back(t);
    }
    return found;
}

class MonitorRecording {
public:
    // Starts parec and waits for its first samples; false when none come.
    // The server hands the recording over late and in blocks, so the first
    // samples may be seconds old: a reference tone (100 ms of 6 kHz) marks the
    // start, and what comes before it is dropped.
    bool start() {
        QByteArray pcm;
        for (int i = 0; i < kRecordRate / 10; ++i)
            pcm += fields(qint16(12000 * std::min(1.0, std::min(i, kRecordRate / 10 - i) / 80.0) *
                                 std::sin(2 * std::numbers::pi * 6000 * i / kRecordRate)));
        QFile tone(dir_.filePath("tone.wav"));
        if (!tone.open(QIODevice::WriteOnly) ||
            !tone.write(riff(fmtChunk(1, 1, kRecordRate, 16) + chunk("data", pcm))) ||
            !tone.flush())
            return false;
        recorder_.start("parec",
                        {"--device=" + qEnvironmentVariable("TAVRO_PULSE_SINK") + ".monitor",
                         "--raw", "--format=s16le", "--rate=16000", "--channels=1"});
        if (!QTest::qWaitFor([&] { return recorder_.bytesAvailable() > 0; }, 6000))
            return false;
        clock_.start();
        QProcess marker; // paplay ends when the server has played the tone
        marker.start("paplay", {tone.fileName()});
        const bool played = marker.waitForFinished(10000);
        QTest::qWait(200);
        return played;
    }

    // Plays the reference tone through paplay, a client of its own.
    void playTone() const { QProcess::startDetached("paplay", {dir_.filePath("tone.wav")}); }

    // Waits until the recording spans the time since start (the server hands
    // it over in blocks) and returns what follows the reference tone. A short
    // recording fails the comparisons that follow.
    std::vector<double> finish() {
        QByteArray pcm;
        const qint64 wanted = (clock_.elapsed() + 300) * kRecordRate / 1000 * 2;
        static_cast<void>(QTest::qWaitFor(
            [&] { return (pcm += recorder_.readAllStandardOutput()).size() >= wanted; }, 6000));
        recorder_.terminate();
        recorder_.waitForFinished(3000);
        pcm += recorder_.readAllStandardOutput();
        std::vector<double> samples(pcm.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
        const std::vector<double> marks = onsets(loudness(samples), 0.3, true);
        const size_t from = marks.empty() ? samples.size() : size_t((marks[0] + 0.2) * kRecordRate);
        samples.erase(samples.begin(), samples.begin() + std::min(from, samples.size()));
        return samples;
    }

private:
    QTemporaryDir dir_;
    QProcess recorder_;
    QElapsedTimer clock_;
};

} // namespace tavro::test
