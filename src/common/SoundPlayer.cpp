#include "common/SoundPlayer.h"

#include "common/SoundOutput.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QFile>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cmath>

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

// One sample as a value in [-1, 1].
double sampleValue(const QByteArray& samples, QAudioFormat::SampleFormat format, qsizetype index) {
    const char* at = samples.constData();
    switch (format) {
    case QAudioFormat::UInt8:
        return (static_cast<quint8>(at[index]) - 128) / 128.0;
    case QAudioFormat::Int16:
        return qFromLittleEndian<qint16>(at + index * 2) / 32768.0;
    case QAudioFormat::Int32:
        return qFromLittleEndian<qint32>(at + index * 4) / 2147483648.0;
    case QAudioFormat::Float:
        return qFromLittleEndian<float>(at + index * 4);
    default:
        return 0;
    }
}

void appendSample(QByteArray& out, QAudioFormat::SampleFormat format, double v) {
    v = std::clamp(v, -1.0, 1.0);
    switch (format) {
    case QAudioFormat::UInt8:
        out.append(static_cast<char>(std::clamp(128 + std::lround(v * 128), 0l, 255l)));
        break;
    case QAudioFormat::Int16: {
        const auto s = static_cast<qint16>(std::clamp(std::lround(v * 32768), -32768l, 32767l));
        char bytes[2];
        qToLittleEndian(s, bytes);
        out.append(bytes, 2);
        break;
    }
    case QAudioFormat::Int32: {
        const auto s = static_cast<qint32>(
            std::clamp(std::llround(v * 2147483648.0), -2147483648ll, 2147483647ll));
        char bytes[4];
        qToLittleEndian(s, bytes);
        out.append(bytes, 4);
        break;
    }
    case QAudioFormat::Float: {
        char bytes[4];
        qToLittleEndian(static_cast<float>(v), bytes);
        out.append(bytes, 4);
        break;
    }
    default:
        break;
    }
}

} // namespace

struct SoundPlayer::Impl {
    QByteArray SoundData;
    int soundId = 0; // the resource in SoundData
    // The output and its thread start with the first sound: a player that is
    // never used (sound off) opens no stream.
    QThread thread;
    SoundOutput* output = nullptr; // lives on `thread`, deleted when it ends

    ~Impl() {
        thread.quit();
        thread.wait();
    }

    SoundOutput* startedOutput() {
        if (!output) {
            output = new SoundOutput;
            output->moveToThread(&thread);
            QObject::connect(&thread, &QThread::finished, output, &QObject::deleteLater);
            thread.setObjectName(QStringLiteral("sound"));
            thread.start();
        }
        return output;
    }

    void play() {
        const std::optional<WaveImage> wave = parseWave(SoundData);
        if (!wave || wave->samples.isEmpty())
            return;
        SoundOutput* out = startedOutput();
        QMetaObject::invokeMethod(
            out, [out, id = soundId, w = *wave] { out->play(id, w.format, w.samples); });
    }
};

SoundPlayer::SoundPlayer() : impl_(std::make_unique<Impl>()) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::PlayWAV(int id) {
    ErrorTrap trap("basCommon", "PlayWAV");
    trap.run([&] {
        impl_->SoundData = loadSound(id);
        impl_->soundId = id;
    });
    trap.run([&] { impl_->play(); });
}

void SoundPlayer::prepare() {
    SoundOutput* output = impl_->startedOutput();
    QMetaObject::invokeMethod(output, [output] { output->prepare(); });
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

QByteArray SoundPlayer::convertPcm(const WaveImage& wave, const QAudioFormat& target) {
    const QAudioFormat& source = wave.format;
    const int inChannels = source.channelCount();
    const qsizetype inFrames = wave.samples.size() / source.bytesPerFrame();
    if (inFrames == 0 || target.channelCount() < 1 || target.sampleRate() < 1)
        return {};
    const double step = double(source.sampleRate()) / target.sampleRate();
    const auto outFrames = static_cast<qsizetype>(std::floor((inFrames - 1) / step)) + 1;
    QByteArray out;
    out.reserve(outFrames * target.bytesPerFrame());
    // Mono is the mean of the source channels; more channels repeat it.
    auto frameValue = [&](qsizetype frame) {
        double sum = 0;
        for (int c = 0; c < inChannels; ++c)
            sum += sampleValue(wave.samples, source.sampleFormat(), frame * inChannels + c);
        return sum / inChannels;
    };
    for (qsizetype i = 0; i < outFrames; ++i) {
        const double position = i * step;
        const auto left = static_cast<qsizetype>(position);
        const qsizetype right = std::min(left + 1, inFrames - 1);
        const double t = position - left;
        const double v = frameValue(left) * (1 - t) + frameValue(right) * t;
        for (int c = 0; c < target.channelCount(); ++c)
            appendSample(out, target.sampleFormat(), v);
    }
    return out;
}

} // namespace tavro
