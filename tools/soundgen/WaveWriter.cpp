#include "WaveWriter.h"

#include <fstream>
#include <stdexcept>

namespace tavro::sound {

namespace {

void tag(std::vector<std::uint8_t>& out, const char* text) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(text[i]));
}

void u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void u16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

} // namespace

std::vector<std::uint8_t> waveFile(const std::vector<std::uint8_t>& samples, int sampleRate) {
    const auto length = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = length % 2;
    std::vector<std::uint8_t> out;
    tag(out, "RIFF");
    u32(out, 4 + (8 + 16) + (8 + length + pad));
    tag(out, "WAVE");
    tag(out, "fmt ");
    u32(out, 16);
    u16(out, 1); // PCM
    u16(out, 1); // mono
    u32(out, static_cast<std::uint32_t>(sampleRate));
    u32(out, static_cast<std::uint32_t>(sampleRate)); // bytes per second
    u16(out, 1);                                      // block align
    u16(out, 8);                                      // bits per sample
    tag(out, "data");
    u32(out, length);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad)
        out.push_back(128);
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

} // namespace tavro::sound
