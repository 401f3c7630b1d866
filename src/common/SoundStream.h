#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <chrono>

namespace tavro {

// What the sound output writes next into its stream: the sound playing, then
// a stretch of silence that keeps the stream running. A new sound cuts the one
// playing at the moment it was asked for: whatever of the old sound was due
// until then but has not found room in the device yet still goes first, then
// the new sound from its start. Calls in the same instant leave nothing of the
// earlier sounds; none is lost because the device was full.
class SoundStream {
public:
    using Clock = std::chrono::steady_clock;

    // Samples are in `format`, the stream's format.
    explicit SoundStream(const QAudioFormat& format) : format_(format) {}

    // Plays `samples`, asked for at `calledAt`, followed by `silenceMs` of silence.
    void start(const QByteArray& samples, Clock::time_point calledAt, int silenceMs);

    // The bytes to write next, at most `room` and whole frames; empty when
    // the sound and its silence are written.
    QByteArray next(qsizetype room) const;

    // The stream took `written` bytes of what next() gave.
    void consume(qsizetype written);

    bool done() const { return offset_ >= playing_.size() && silenceLeft_ <= 0; }

private:
    qsizetype frames(qsizetype bytes) const;

    QAudioFormat format_;
    QByteArray playing_;    // the rest of cut sounds, then the sound asked for last
    qsizetype soundAt_ = 0; // where in playing_ the last sound starts
    qsizetype offset_ = 0;  // bytes of playing_ written
    qsizetype silenceLeft_ = 0;
    Clock::time_point calledAt_;
};

} // namespace tavro
