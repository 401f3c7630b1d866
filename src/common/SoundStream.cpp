#include "common/SoundStream.h"

#include <algorithm>

namespace tavro {

qsizetype SoundStream::frames(qsizetype bytes) const {
    const qsizetype frame = std::max(1, format_.bytesPerFrame());
    return bytes / frame * frame;
}

void SoundStream::start(const QByteArray& samples, Clock::time_point calledAt, int silenceMs) {
    QByteArray due;
    if (offset_ < playing_.size()) {
        const auto heard =
            std::chrono::duration_cast<std::chrono::microseconds>(calledAt - calledAt_).count();
        const qsizetype until =
            std::min(playing_.size(),
                     soundAt_ + frames(format_.bytesForDuration(std::max<qint64>(0, heard))));
        if (until > offset_)
            due = playing_.mid(offset_, until - offset_);
    }
    playing_ = due + samples;
    soundAt_ = due.size();
    offset_ = 0;
    calledAt_ = calledAt;
    silenceLeft_ = frames(format_.bytesForDuration(qint64(silenceMs) * 1000));
}

QByteArray SoundStream::next(qsizetype room) const {
    room = frames(std::max<qsizetype>(0, room));
    const qsizetype sound = std::min(room, playing_.size() - offset_);
    QByteArray chunk = playing_.mid(offset_, sound);
    const char zero = format_.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    chunk.append(std::min(room - sound, silenceLeft_), zero);
    return chunk;
}

void SoundStream::consume(qsizetype written) {
    written = frames(std::max<qsizetype>(0, written));
    const qsizetype sound = std::min(written, playing_.size() - offset_);
    offset_ += sound;
    silenceLeft_ = std::max<qsizetype>(0, silenceLeft_ - (written - sound));
}

} // namespace tavro
