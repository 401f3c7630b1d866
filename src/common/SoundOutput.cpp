#include "common/SoundOutput.h"

#include <pulse/context.h>
#include <pulse/mainloop-api.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

namespace tavro {

namespace {

constexpr int kRate = 11025;

// Holds PulseAudio's main loop lock for a scope.
class Locked {
public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

} // namespace

QAudioFormat SoundOutput::format() {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setChannelCount(1);
    format.setSampleRate(kRate);
    return format;
}

SoundOutput::SoundOutput() : sounds_(format()) {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_ || pa_threaded_mainloop_start(loop_) < 0)
        return;
    Locked lock(loop_);
    pa_mainloop_api_once(pa_threaded_mainloop_get_api(loop_), &SoundOutput::connectNow, this);
}

SoundOutput::~SoundOutput() {
    if (!loop_)
        return;
    {
        // Everything PulseAudio's thread might touch goes under its lock.
        Locked lock(loop_);
        dropContext();
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void SoundOutput::play(const QByteArray& samples, SoundStream::Clock::time_point calledAt) {
    if (!loop_)
        return;
    Locked lock(loop_);
    if (!context_ && everReady_) // the server went away: try it again
        pa_mainloop_api_once(pa_threaded_mainloop_get_api(loop_), &SoundOutput::connectNow, this);
    else if (context_ && !stream_ && pa_context_get_state(context_) == PA_CONTEXT_READY)
        openStream(); // the device went away: a new stream finds the current one
    sounds_.start(samples, calledAt, kLingerMs);
    fill();
}

// On PulseAudio's thread, with the lock held.
void SoundOutput::connectNow(pa_mainloop_api* api, void* self) {
    auto* out = static_cast<SoundOutput*>(self);
    if (out->context_)
        return;
    out->context_ = pa_context_new(api, "Tavro");
    if (!out->context_)
        return;
    pa_context_set_state_callback(out->context_, &SoundOutput::contextChanged, out);
    // No server of its own: without one the game stays silent.
    if (pa_context_connect(out->context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        out->dropContext();
}

void SoundOutput::contextChanged(pa_context* context, void* self) {
    auto* out = static_cast<SoundOutput*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        out->everReady_ = true;
        out->openStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        out->dropContext();
        break;
    default:
        break;
    }
}

void SoundOutput::openStream() {
    const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, kRate, 1};
    stream_ = pa_stream_new(context_, "Tavro", &sampleFormat, nullptr);
    if (!stream_)
        return;
    pa_stream_set_state_callback(stream_, &SoundOutput::streamChanged, this);
    pa_stream_set_write_callback(stream_, &SoundOutput::writable, this);
    // A small target length, and the server's latency adjusted to it: other
    // clients that let it mix far ahead do not hold this stream back.
    pa_buffer_attr buffer;
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = uint32_t(format().bytesForDuration(kBufferMs * 1000));
    buffer.prebuf = uint32_t(-1);
    buffer.minreq = uint32_t(-1);
    buffer.fragsize = uint32_t(-1);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0)
        dropStream();
}

void SoundOutput::dropStream() {
    ready_ = false;
    if (!stream_)
        return;
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

void SoundOutput::dropContext() {
    dropStream();
    if (!context_)
        return;
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

void SoundOutput::streamChanged(pa_stream* stream, void* self) {
    auto* out = static_cast<SoundOutput*>(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        out->ready_ = true;
        out->fill();
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        out->dropStream(); // the next connection makes a new one
        break;
    default:
        break;
    }
}

void SoundOutput::writable(pa_stream*, size_t, void* self) {
    static_cast<SoundOutput*>(self)->fill();
}

void SoundOutput::fill() {
    if (!ready_)
        return;
    const size_t room = pa_stream_writable_size(stream_);
    if (room == size_t(-1) || room == 0)
        return;
    const QByteArray chunk = sounds_.next(qsizetype(room));
    if (!chunk.isEmpty() && pa_stream_write(stream_, chunk.constData(), size_t(chunk.size()),
                                            nullptr, 0, PA_SEEK_RELATIVE) == 0)
        sounds_.consume(chunk.size());
}

} // namespace tavro
