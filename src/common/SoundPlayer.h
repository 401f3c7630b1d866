#pragma once

#include "game/SoundSink.h"

#include <QAudioFormat>
#include <QByteArray>
#include <memory>
#include <optional>

namespace tavro {

// Plays the built-in WAVE resources 100..107 asynchronously from memory:
// PlayWAV returns at once, the sound starts within a few milliseconds on the
// sound server's thread (SoundOutput).
// A new sound cuts the one still playing; without an audio device, or with
// data that cannot be played, it stays silent. An id outside 100..107 is
// reported through the error trap ("basCommon", "PlayWAV").
class SoundPlayer : public SoundSink {
public:
    // The PCM format and samples of a WAVE file.
    struct WaveImage {
        QAudioFormat format;
        QByteArray samples;
    };

    SoundPlayer();
    ~SoundPlayer() override;
    void PlayWAV(SoundId id) override;

    // Opens the sound output in the background without playing anything.
    // Called at start-up when sound is on: a server that another client has
    // set to mix far ahead needs a moment to follow this player's small
    // buffer, and that moment passes before the first board.
    void prepare();

    // The WAVE file of the sound played last (SoundData).
    const QByteArray& soundData() const;

    // Reads the "fmt " and "data" chunks of a RIFF WAVE file. Only PCM
    // (format tag 1) with 8 or 16 bits and one or two channels is accepted;
    // anything else gives nullopt. A data chunk longer than the file is cut to
    // what is there.
    static std::optional<WaveImage> parseWave(const QByteArray& file);

    // Converts PCM to mono 16-bit at `rate`: the mean of the channels, linear
    // interpolation between samples.
    static QByteArray toMono16(const WaveImage& wave, int rate);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace tavro
