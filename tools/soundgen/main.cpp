// tavro_soundgen <wav-folder>: synthesises the sounds 100..107 as <id>.wav.
#include "SoundRecipes.h"
#include "WaveWriter.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavro_soundgen <wav-folder>\n");
        return 2;
    }
    try {
        for (const auto& format : tavro::sound::kSoundFormats) {
            const auto samples = tavro::sound::makeSound(format);
            tavro::sound::writeFile(std::string(argv[1]) + "/" + std::to_string(format.id) + ".wav",
                                    tavro::sound::waveFile(samples, format.sampleRate));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavro_soundgen: %s\n", e.what());
        return 1;
    }
    std::printf("tavro_soundgen: wrote %zu sounds\n", tavro::sound::kSoundFormats.size());
    return 0;
}
