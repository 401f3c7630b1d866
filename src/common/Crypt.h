#pragma once

#include <QString>

namespace tavro {

// The high-score scrambling of basCommon. Works on the Windows-1252 byte of
// every character: a byte below 128 becomes byte + 128, a byte above 128
// becomes byte - 128 (bit 7 toggled), and the character of the new byte
// replaces the old one. The text keeps its length.
//
// Mapping decisions:
//  - Byte 128 (the euro sign) has no partner and stays as it is. Byte 0 still
//    becomes 128, so U+0000 is the one character that does not come back;
//    player names never contain control characters.
//  - The five byte values that Windows-1252 leaves undefined (0x81, 0x8D,
//    0x8F, 0x90, 0x9D) stand for the code points U+0081, U+008D, U+008F,
//    U+0090 and U+009D, as the Windows code-page conversion maps them.
//  - A character outside Windows-1252 (such as "Ł" or "名") has no byte and is
//    left unchanged. The store keeps Unicode, so such names survive as well.
// With these rules Crypt(Crypt(s)) == s for every text without U+0000.
//
// Alters the text in place and also returns it. Trapped as ("basCommon",
// "Crypt").
QString& Crypt(QString& text);

} // namespace tavro
