#include "errors/AppError.h"
#include "settings/NumberConversion.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// toInt16 either gives a number that agrees with the text or fails with one of
// its two reported failures; nothing else may escape.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const int16_t value = tavro::toInt16(text);
        bool ok = false;
        const double parsed = text.trimmed().toDouble(&ok);
        if (!ok || std::fabs(parsed - value) > 0.5)
            std::abort();
    } catch (const tavro::AppError& e) {
        if (e.number() != tavro::AppError::TypeMismatch && e.number() != tavro::AppError::Overflow)
            std::abort();
    }
    return 0;
}
