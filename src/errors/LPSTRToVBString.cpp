#include "errors/LPSTRToVBString.h"

namespace tavro {

QString LPSTRToVBString(QByteArrayView s) {
    const qsizetype nul = s.indexOf('\0');
    if (nul < 0)
        return QString();
    return QString::fromLocal8Bit(s.first(nul));
}

} // namespace tavro
