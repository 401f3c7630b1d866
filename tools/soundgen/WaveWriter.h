#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavro::sound {

// A complete RIFF WAVE file: PCM (format tag 1), mono, 8 bits per sample.
// A data chunk of odd length is followed by the pad byte RIFF requires.
std::vector<std::uint8_t> waveFile(const std::vector<std::uint8_t>& samples, int sampleRate);

// Writes bytes to a file; throws std::runtime_error on failure.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace tavro::sound
