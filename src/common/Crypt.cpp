#include "common/Crypt.h"

#include "errors/ErrorTrap.h"
#include "settings/Windows1252.h"

namespace tavro {

namespace {

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
            if (const auto byte = windows1252::byteOf(c))
                c = windows1252::charOf(static_cast<unsigned char>(scrambledByte(*byte)));
        }
    });
    return text;
}

} // namespace tavro
