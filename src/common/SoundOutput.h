#pragma once

#include "common/SoundStream.h"

#include <QAudioFormat>
#include <QByteArray>

struct pa_context;
struct pa_mainloop_api;
struct pa_stream;
struct pa_threaded_mainloop;

namespace tavro {

// The device side of the sound player: one PulseAudio playback stream with a
// small, explicit buffer (kBufferMs) that stays open once made. The server
// asks for samples on PulseAudio's own thread and gets the sound playing,
// then silence for kLingerMs, then nothing until the next sound; a new sound
// cuts the one playing (SoundStream). Connecting happens on that thread too,
// so neither the server nor a busy window holds anything up. Without a server
// every sound is dropped silently.
class SoundOutput {
public:
    static constexpr int kBufferMs = 40;
    // Silence fed after a sound before the stream is left to run dry.
    static constexpr int kLingerMs = 1000;

    // Starts connecting to the sound server in the background.
    SoundOutput();
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Mono 16-bit at 11025 Hz, the rate of most of the sounds: the samples
    // play() takes.
    static QAudioFormat format();

    // Plays `samples` (in format()), asked for at `calledAt`, cutting the
    // sound playing. Returns at once.
    void play(const QByteArray& samples, SoundStream::Clock::time_point calledAt);

private:
    static void connectNow(pa_mainloop_api* api, void* self);
    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void writable(pa_stream* stream, size_t bytes, void* self);
    void openStream();
    void dropStream();
    void dropContext();
    void fill();

    pa_threaded_mainloop* loop_ = nullptr;
    // Below: only under the main loop's lock.
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool ready_ = false;     // the stream takes samples
    bool everReady_ = false; // a server answered once: try again after a failure
    SoundStream sounds_;
};

} // namespace tavro
