#include "common/SoundPlayer.h"

#include "common/SoundOutput.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace tavro {

namespace {

constexpr int kFirstSound = 100;
constexpr int kLastSound = 107;

QByteArray loadSound(int id) {
    const QString name = QStringLiteral(":/wav/%1.wav").arg(id);
    QFile file(name);
    if (id < kFirstSound || id > kLastSound || !file.open(QIODevice::ReadOnly))
        throw AppError(AppError::ResourceNotFound,
                       QStringLiteral("Resource with identifier '%1' not found").arg(id));
    return file.readAll();
}

quint32 readU32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint16 readU16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}

} // namespace

struct SoundPlayer::Impl {
    QByteArray SoundData;
    int soundId = 0; // the resource in SoundData
    // Made by the first sound or prepare(): a player that is never used (sound
    // off) opens no stream.
    std::unique_ptr<SoundOutput> output;
    std::map<int, QByteArray> converted; // the sounds in the output's format

    SoundOutput& startedOutput() {
        if (!output)
            output = std::make_unique<SoundOutput>();
        return *output;
    }

    void play() {
        const auto calledAt = SoundStream::Clock::now();
        auto known = converted.find(soundId);
        if (known == converted.end()) {
            const std::optional<WaveImage> wave = parseWave(SoundData);
            QByteArray pcm =
                wave ? toMono16(*wave, SoundOutput::format().sampleRate()) : QByteArray();
            known = converted.emplace(soundId, std::move(pcm)).first;
        }
        if (!known->second.isEmpty())
            startedOutput().play(known->second, calledAt);
    }
};

SoundPlayer::SoundPlayer() : impl_(std::make_unique<Impl>()) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::PlayWAV(SoundId id) {
    ErrorTrap trap("basCommon", "PlayWAV");
    trap.run([&] {
        impl_->SoundData = loadSound(static_cast<int>(id));
        impl_->soundId = static_cast<int>(id);
    });
    trap.run([&] { impl_->play(); });
}

void SoundPlayer::prepare() {
    impl_->startedOutput();
}

const QByteArray& SoundPlayer::soundData() const {
    return impl_->SoundData;
}

std::optional<SoundPlayer::WaveImage> SoundPlayer::parseWave(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<QAudioFormat> format;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype length = readU32(file, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (length < 16 || body + 16 > file.size())
                return std::nullopt;
            const quint16 tag = readU16(file, body);
            const quint16 channels = readU16(file, body + 2);
            const quint32 rate = readU32(file, body + 4);
            const quint16 bits = readU16(file, body + 14);
            if (tag != 1 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000 ||
                (bits != 8 && bits != 16))
                return std::nullopt;
            QAudioFormat f;
            f.setSampleRate(static_cast<int>(rate));
            f.setChannelCount(channels);
            f.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            format = f;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            QByteArray samples = file.mid(body, std::min(length, file.size() - body));
            samples.truncate(samples.size() - samples.size() % format->bytesPerFrame());
            return WaveImage{*format, samples};
        }
        at = body + length + (length % 2); // chunks are padded to even length
    }
    return std::nullopt;
}

QByteArray SoundPlayer::toMono16(const WaveImage& wave, int rate) {
    const int channels = wave.format.channelCount();
    const qsizetype inFrames = wave.samples.size() / std::max(1, wave.format.bytesPerFrame());
    if (inFrames == 0 || rate < 1)
        return {};
    // The mean of the channels, on the 16-bit scale.
    const auto* bytes = reinterpret_cast<const uchar*>(wave.samples.constData());
    const bool eightBit = wave.format.sampleFormat() == QAudioFormat::UInt8;
    std::vector<double> mono(inFrames);
    for (qsizetype frame = 0; frame < inFrames; ++frame) {
        double sum = 0;
        for (qsizetype i = frame * channels; i < (frame + 1) * channels; ++i)
            sum += eightBit ? (bytes[i] - 128) * 256.0 : qFromLittleEndian<qint16>(bytes + 2 * i);
        mono[frame] = sum / channels;
    }
    const double step = double(wave.format.sampleRate()) / rate;
    const auto outFrames = static_cast<qsizetype>(std::floor((inFrames - 1) / step)) + 1;
    QByteArray out(outFrames * 2, Qt::Uninitialized);
    char* at = out.data();
    for (qsizetype i = 0; i < outFrames; ++i) {
        const double position = i * step;
        const auto left = static_cast<qsizetype>(position);
        const double t = position - left;
        const double v = mono[left] * (1 - t) + mono[std::min(left + 1, inFrames - 1)] * t;
        qToLittleEndian(static_cast<qint16>(std::clamp(std::lround(v), -32768l, 32767l)),
                        at + 2 * i);
    }
    return out;
}

} // namespace tavro
