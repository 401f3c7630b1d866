#pragma once

#include <cstdint>
#include <vector>

namespace tavro::sound {

// A mono signal being mixed, in floating point at a fixed sample rate.
class Synth {
public:
    Synth(int sampleRate, int sampleCount);

    // The shape of a note: partial frequency ratios with their levels and
    // decay times (seconds; 0 = no decay), plus the note's attack and release.
    struct Timbre {
        std::vector<double> ratios;
        std::vector<double> levels;
        std::vector<double> decays;
        double attack = 0.004;
        double release = 0.03;
        double vibratoDepth = 0;   // fraction of the frequency
        double vibratoRate = 5.5;  // Hz
        double brightnessRise = 0; // seconds for the upper partials to open (brass)
    };

    // Adds a note from `start` for `duration` seconds. Partials above the
    // Nyquist limit are left out so nothing aliases.
    void note(double start, double duration, double frequency, double level, const Timbre& timbre);

    // A sine whose pitch glides exponentially from `from` to `to` Hz.
    void glide(double start, double duration, double from, double to, double level, double decay);

    // Noise through a two-pole resonant band pass (centre, q) with an
    // exponential decay; a fixed seed keeps it repeatable.
    void noise(double start, double duration, double centre, double q, double level, double decay,
               std::uint32_t seed);

    // Scales the peak to `peak` (of full scale 1), fades both edges and
    // returns unsigned 8-bit samples (silence = 128).
    std::vector<std::uint8_t> render(double peak, double fadeIn, double fadeOut) const;

    int sampleRate() const { return rate_; }

private:
    int index(double seconds) const;

    int rate_;
    std::vector<double> mix_;
};

} // namespace tavro::sound
