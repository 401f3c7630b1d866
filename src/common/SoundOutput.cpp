#include "common/SoundOutput.h"

#include "common/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <utility>

namespace tavro {

namespace {

// Mono 16-bit at the device's own rate: the server then mixes without
// resampling, and every sound converts to it once.
QAudioFormat streamFormat(const QAudioDevice& device) {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setChannelConfig(QAudioFormat::ChannelConfigMono);
    format.setSampleRate(std::max(8000, device.preferredFormat().sampleRate()));
    return device.isFormatSupported(format) ? format : device.preferredFormat();
}

} // namespace

SoundOutput::SoundOutput(QObject* parent) : QObject(parent), ticker_(this) {
    ticker_.setInterval(kTickMs);
    ticker_.setTimerType(Qt::PreciseTimer);
    connect(&ticker_, &QTimer::timeout, this, &SoundOutput::feed);
}

SoundOutput::~SoundOutput() {
    // Stopping the sink delivers events still queued for this object.
    closing_ = true;
    close();
}

void SoundOutput::prepare() {
    if (!stream_ && !closing_)
        open();
}

void SoundOutput::play(int id, const QAudioFormat& format, const QByteArray& samples) {
    if (closing_)
        return;
    if (stream_ && sink_->state() == QAudio::StoppedState)
        close(); // the device went away while nothing played
    if (!stream_ && !open())
        return;
    playing_ = inStreamFormat(id, format, samples);
    offset_ = 0;
    silenceLeft_ = sink_->format().bytesForDuration(kLingerMs * 1000);
    feed();
    if (!ticker_.isActive())
        ticker_.start();
}

bool SoundOutput::open() {
    if (unusable_)
        return false;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = device.isNull() ? QAudioFormat() : streamFormat(device);
    if (!format.isValid()) {
        unusable_ = true; // no server or no device: stay silent for the whole run
        return false;
    }
    sink_ = new QAudioSink(device, format, this);
    sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
    stream_ = sink_->start();
    if (!stream_ || sink_->error() != QAudio::NoError) {
        close();
        unusable_ = true;
        return false;
    }
    converted_.clear();
    return true;
}

void SoundOutput::close() {
    ticker_.stop();
    QAudioSink* sink = std::exchange(sink_, nullptr);
    stream_ = nullptr;
    if (sink)
        sink->stop();
    delete sink;
}

void SoundOutput::feed() {
    if (!stream_)
        return;
    const QAudio::Error error = sink_->error();
    if (sink_->state() == QAudio::StoppedState ||
        (error != QAudio::NoError && error != QAudio::UnderrunError)) {
        close(); // the device went away; the next sound opens the output again
        return;
    }
    const qsizetype frame = sink_->format().bytesPerFrame();
    const qsizetype room = sink_->bytesFree() / frame * frame;
    const qsizetype sound = std::min(room, playing_.size() - offset_);
    if (sound <= 0 && silenceLeft_ <= 0) {
        ticker_.stop(); // let the stream run dry until the next sound
        return;
    }
    QByteArray chunk = playing_.mid(offset_, sound);
    if (sound < room) {
        const bool unsigned8 = sink_->format().sampleFormat() == QAudioFormat::UInt8;
        chunk.append(std::min(room - sound, silenceLeft_), unsigned8 ? '\x80' : '\0');
    }
    // The stream may take less than it said it had room for.
    const qsizetype written = std::max<qint64>(0, stream_->write(chunk)) / frame * frame;
    offset_ += std::min(written, sound);
    silenceLeft_ -= std::max<qsizetype>(0, written - sound);
}

const QByteArray& SoundOutput::inStreamFormat(int id, const QAudioFormat& format,
                                              const QByteArray& samples) {
    auto known = converted_.find(id);
    if (known == converted_.end()) {
        const QAudioFormat target = sink_->format();
        QByteArray pcm =
            format == target ? samples : SoundPlayer::convertPcm({format, samples}, target);
        known = converted_.emplace(id, std::move(pcm)).first;
    }
    return known->second;
}

} // namespace tavro
