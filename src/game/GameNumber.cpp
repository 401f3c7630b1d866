#include "game/GameNumber.h"

#include <algorithm>
#include <limits>

namespace tavro {

uint64_t GameNumber::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int16_t GameNumber::nextType(int blockTypes) {
    const uint64_t types = static_cast<uint64_t>(std::max(blockTypes, 1));
    return static_cast<int16_t>(((next() >> 32) * types) >> 32);
}

std::vector<int16_t> GameNumber::boardTypes(uint32_t number, int cols, int rows, int blockTypes) {
    GameNumber generator(number);
    std::vector<int16_t> types(static_cast<size_t>(std::max(cols, 0) * std::max(rows, 0)));
    for (int16_t& type : types)
        type = generator.nextType(blockTypes);
    return types;
}

std::optional<uint32_t> GameNumber::parse(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

} // namespace tavro
