#include "settings/SettingsRanges.h"

#include <algorithm>

namespace tavro {

int16_t clampSetting(const QString& key, int16_t value) {
    struct Range {
        const char* key;
        int16_t low;
        int16_t high;
    };
    static constexpr Range ranges[] = {
        {"BlockTypes", 3, 6},   {"BlocksToClick", 2, 4}, {"Cols", 5, INT16_MAX},
        {"Rows", 5, INT16_MAX}, {"Blocks", 0, 13},       {"Board", 0, 8},
        {"BGColor", 0, 15},
    };
    if (key == u"Background")
        return value == 0 ? int16_t(0) : int16_t(-1);
    for (const Range& r : ranges) {
        if (key == QLatin1String(r.key))
            return std::clamp(value, r.low, r.high);
    }
    return value;
}

} // namespace tavro
