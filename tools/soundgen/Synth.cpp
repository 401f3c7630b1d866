#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavro::sound {

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
}

Synth::Synth(int sampleRate, int sampleCount) : rate_(sampleRate), mix_(sampleCount, 0.0) {}

int Synth::index(double seconds) const {
    return std::clamp(static_cast<int>(std::lround(seconds * rate_)), 0,
                      static_cast<int>(mix_.size()));
}

void Synth::note(double start, double duration, double frequency, double level,
                 const Timbre& timbre) {
    const int first = index(start);
    const int last = index(start + duration + timbre.release);
    for (size_t k = 0; k < timbre.ratios.size(); ++k) {
        const double f = frequency * timbre.ratios[k];
        if (f >= 0.45 * rate_)
            continue;
        double phase = 0;
        for (int i = first; i < last; ++i) {
            const double t = double(i - first) / rate_;
            const double vibrato = 1 + timbre.vibratoDepth *
                                           std::sin(kTwoPi * timbre.vibratoRate * t) *
                                           std::min(1.0, t / 0.15);
            phase += kTwoPi * f * vibrato / rate_;
            double env = std::min(1.0, t / timbre.attack);
            if (timbre.decays[k] > 0)
                env *= std::exp(-t / timbre.decays[k]);
            if (t > duration)
                env *= std::max(0.0, 1 - (t - duration) / timbre.release);
            if (timbre.brightnessRise > 0 && k > 0)
                env *= std::pow(std::min(1.0, t / timbre.brightnessRise), 0.5 * k);
            mix_[i] += level * timbre.levels[k] * env * std::sin(phase);
        }
    }
}

void Synth::glide(double start, double duration, double from, double to, double level,
                  double decay) {
    const int first = index(start), last = index(start + duration);
    double phase = 0;
    for (int i = first; i < last; ++i) {
        const double t = double(i - first) / rate_;
        const double f = from * std::pow(to / from, t / duration);
        phase += kTwoPi * f / rate_;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / decay);
        mix_[i] += level * env * std::sin(phase);
    }
}

void Synth::noise(double start, double duration, double centre, double q, double level,
                  double decay, std::uint32_t seed) {
    const int first = index(start), last = index(start + duration);
    // Band-pass biquad (constant peak gain).
    const double w = kTwoPi * std::min(centre, 0.45 * rate_) / rate_;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    std::uint32_t state = seed;
    for (int i = first; i < last; ++i) {
        state = state * 1664525u + 1013904223u;
        const double x = (state >> 8) * (2.0 / 16777216.0) - 1.0;
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        const double t = double(i - first) / rate_;
        mix_[i] += level * std::min(1.0, t / 0.001) * std::exp(-t / decay) * y;
    }
}

std::vector<std::uint8_t> Synth::render(double peak, double fadeIn, double fadeOut) const {
    double maximum = 1e-9;
    for (double v : mix_)
        maximum = std::max(maximum, std::abs(v));
    const double scale = peak / maximum;
    const int n = static_cast<int>(mix_.size());
    const int in = std::max(1, static_cast<int>(fadeIn * rate_));
    const int out = std::max(1, static_cast<int>(fadeOut * rate_));
    std::vector<std::uint8_t> samples(n);
    for (int i = 0; i < n; ++i) {
        double gain = scale;
        if (i < in)
            gain *= double(i) / in;
        if (i >= n - out)
            gain *= double(n - 1 - i) / out;
        const double v = std::clamp(mix_[i] * gain, -1.0, 1.0);
        samples[i] = static_cast<std::uint8_t>(std::clamp(128 + std::lround(v * 127), 1l, 255l));
    }
    return samples;
}

} // namespace tavro::sound
