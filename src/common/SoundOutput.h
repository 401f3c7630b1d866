#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <map>

class QAudioSink;
class QIODevice;

namespace tavro {

// The device side of the sound player. It lives on a thread of its own, so
// that neither opening the device nor a busy window ever holds a sound back.
// The first sound opens the default output as one stream with a small,
// explicit buffer (kBufferMs) that stays open. While a sound plays and a
// moment after, the stream is topped up every few milliseconds, the sound's
// samples followed by silence; a new sound replaces the rest of the one
// playing at the next top-up. Without a device every sound is dropped
// silently.
class SoundOutput : public QObject {
    Q_OBJECT
public:
    static constexpr int kBufferMs = 40;
    static constexpr int kTickMs = 5;
    // Silence fed after a sound before the stream is left to run dry.
    static constexpr int kLingerMs = 1000;

    explicit SoundOutput(QObject* parent = nullptr);
    ~SoundOutput() override;

    // Opens the output without playing anything. Call it queued.
    void prepare();

    // Plays PCM samples of the given format, cutting the sound playing. `id`
    // names the sound for the cache of samples in the stream's format. Call it
    // queued, on the output's thread.
    void play(int id, const QAudioFormat& format, const QByteArray& samples);

private:
    bool open();
    void close();
    void feed();
    const QByteArray& inStreamFormat(int id, const QAudioFormat& format, const QByteArray& samples);

    QAudioSink* sink_ = nullptr;
    QIODevice* stream_ = nullptr;
    QTimer ticker_;
    bool unusable_ = false;
    bool closing_ = false;
    std::map<int, QByteArray> converted_;
    QByteArray playing_;
    qsizetype offset_ = 0;
    qsizetype silenceLeft_ = 0; // bytes of silence still to feed
};

} // namespace tavro
