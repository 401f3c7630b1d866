#include "settings/NumberConversion.h"

#include "errors/AppError.h"

#include <cmath>
#include <limits>

namespace tavro {

int64_t roundHalfEven(double value) {
    // nearbyint rounds with the current mode, which is to-nearest-even by default.
    return static_cast<int64_t>(std::nearbyint(value));
}

int16_t toInt16(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    // Plain decimal notation only: digits, one optional sign, one optional point.
    static const auto isDecimal = [](const QString& s) {
        int i = (s.startsWith(u'-') || s.startsWith(u'+')) ? 1 : 0;
        bool digits = false;
        bool point = false;
        for (; i < s.size(); ++i) {
            const QChar c = s.at(i);
            if (c.isDigit() && c.unicode() < 128) {
                digits = true;
            } else if (c == u'.' && !point) {
                point = true;
            } else {
                return false;
            }
        }
        return digits;
    };
    if (!isDecimal(trimmed))
        throw AppError(AppError::TypeMismatch, QStringLiteral("Type mismatch"));
    const double value = trimmed.toDouble(&ok);
    if (!ok)
        throw AppError(AppError::TypeMismatch, QStringLiteral("Type mismatch"));
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max())
        throw AppError(AppError::Overflow, QStringLiteral("Overflow"));
    return static_cast<int16_t>(rounded);
}

} // namespace tavro
