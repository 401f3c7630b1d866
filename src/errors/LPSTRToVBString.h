#pragma once

#include <QByteArrayView>
#include <QString>

namespace tavro {

// The text of a fixed-size C character buffer: everything before its first NUL,
// or the empty text when the buffer holds no NUL (it was never terminated).
QString LPSTRToVBString(QByteArrayView s);

} // namespace tavro
