#pragma once

// Builders for RIFF WAVE bytes, shared by the sound and resource tests.

#include <QByteArray>
#include <QDataStream>
#include <QFile>

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The values as little-endian binary fields.
template <typename... T> QByteArray fields(T... values) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    (stream << ... << values);
    return out;
}

// A chunk with its size field and, for an odd size, the pad byte.
inline QByteArray chunk(const char* id, const QByteArray& body) {
    return QByteArray(id, 4) + fields(quint32(body.size())) + body +
           QByteArray(body.size() % 2, '\0');
}

inline QByteArray fmtChunk(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    return chunk("fmt ", fields(tag, channels, rate, quint32(rate * channels * bits / 8),
                                quint16(channels * bits / 8), bits));
}

inline QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + fields(quint32(4 + chunks.size())) + "WAVE" + chunks;
}
