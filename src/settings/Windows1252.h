#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <optional>

namespace tavro {

// The Windows-1252 code page. The five bytes it leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, as the
// Windows code-page conversion maps them; every other byte outside
// 0x80..0x9F is its Latin-1 code point.
namespace windows1252 {

QChar charOf(unsigned char byte);
// The byte of a character, nullopt for a character outside the code page.
std::optional<unsigned char> byteOf(QChar c);
QString decode(QByteArrayView bytes);

} // namespace windows1252

} // namespace tavro
