#pragma once

#include <cstdint>
#include <random>

namespace tavro::art {

// Deterministic random numbers: the same seed gives the same pictures on every
// platform (std:: distributions are implementation-defined, so they are avoided).
class ArtRandom {
public:
    explicit ArtRandom(std::uint32_t seed) : engine_(seed) {}

    double unit() { return (engine_() >> 8) * (1.0 / 16777216.0); }
    double range(double low, double high) { return low + (high - low) * unit(); }
    int below(int count) { return static_cast<int>(unit() * count); }

private:
    std::mt19937 engine_;
};

} // namespace tavro::art
