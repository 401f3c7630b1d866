#include "common/Crypt.h"

#include "errors/ErrorTrap.h"

#include <array>
#include <optional>

namespace tavro {

namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F; the undefined bytes map
// to the C1 control code point of the same value.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar charOfByte(unsigned byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControlRange[byte - 0x80]);
    return QChar(char16_t(byte));
}

std::optional<unsigned> byteOfChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (unsigned i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == u)
            return 0x80 + i;
    }
    return std::nullopt;
}

// Bit 7 toggled for every byte except 128, which has no partner.
unsigned scrambledByte(unsigned byte) {
    if (byte < 128)
        return byte + 128;
    if (byte > 128)
        return byte - 128;
    return byte;
}

} // namespace

QString& Crypt(QString& text) {
    ErrorTrap trap("basCommon", "Crypt");
    trap.run([&] {
        for (QChar& c : text) {
            if (const auto byte = byteOfChar(c))
                c = charOfByte(scrambledByte(*byte));
        }
    });
    return text;
}

} // namespace tavro
