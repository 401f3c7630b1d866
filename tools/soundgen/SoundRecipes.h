#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tavro::sound {

// Sample rate and data length of each sound, fixed by the game.
struct SoundFormat {
    int id;
    int sampleRate;
    int dataBytes;
};

inline constexpr std::array<SoundFormat, 8> kSoundFormats = {{
    {100, 11025, 5290},
    {101, 11025, 2559},
    {102, 11025, 115},
    {103, 7500, 1494},
    {104, 11025, 865},
    {105, 11013, 26400},
    {106, 11025, 3603},
    {107, 11025, 1512},
}};

// The 8-bit samples of sound `id` (100..107), exactly dataBytes long.
std::vector<std::uint8_t> makeSound(const SoundFormat& format);

} // namespace tavro::sound
