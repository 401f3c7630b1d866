#include "settings/Windows1252.h"

#include <array>

namespace tavro::windows1252 {

namespace {

// Code points of the bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

QChar charOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControlRange[byte - 0x80]);
    return QChar(char16_t(byte));
}

std::optional<unsigned char> byteOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (unsigned i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

QString decode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = charOf(static_cast<unsigned char>(byte));
    return text;
}

} // namespace tavro::windows1252
