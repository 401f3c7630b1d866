#include "SoundRecipes.h"

#include "Synth.h"

#include <cmath>
#include <stdexcept>

namespace tavro::sound {

namespace {

double pitch(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A small glockenspiel: inharmonic partials that die away quickly.
Synth::Timbre bell(double decay) {
    return {{1, 2.0, 3.01, 4.2},
            {1, 0.45, 0.2, 0.1},
            {decay, decay * 0.6, decay * 0.4, decay * 0.25},
            0.003,
            0.04};
}

// A round, mellow tone with odd partials (soft square wave).
Synth::Timbre mellow(double decay, int partials) {
    Synth::Timbre t;
    for (int n = 1; n <= partials; n += 2) {
        t.ratios.push_back(n);
        t.levels.push_back(1.0 / (n * n));
        t.decays.push_back(decay / n);
    }
    t.attack = 0.008;
    t.release = 0.04;
    return t;
}

// A brass-like tone: full harmonic series whose upper partials open after
// the attack, with a touch of vibrato on held notes.
Synth::Timbre brass(double vibrato) {
    Synth::Timbre t;
    for (int n = 1; n <= 12; ++n) {
        t.ratios.push_back(n);
        t.levels.push_back(1.0 / n);
        t.decays.push_back(0);
    }
    t.attack = 0.02;
    t.release = 0.06;
    t.brightnessRise = 0.05;
    t.vibratoDepth = vibrato;
    return t;
}

// 100: a rising arpeggio C-E-G-C for a new game.
std::vector<std::uint8_t> newGame(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        const double start = 0.01 + i * 0.075;
        s.note(start, 0.42 - start, pitch(notes[i]), i == 3 ? 1.0 : 0.8, bell(i == 3 ? 0.16 : 0.1));
    }
    s.note(0.235, 0.2, pitch(96), 0.18, bell(0.08));
    return s.render(0.85, 0.002, 0.04);
}

// 101: a two-tone chime.
std::vector<std::uint8_t> chime(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    s.note(0.005, 0.2, pitch(88), 1.0, bell(0.09));
    s.note(0.05, 0.16, pitch(95), 0.8, bell(0.07));
    return s.render(0.8, 0.002, 0.03);
}

// 102: a crisp, very short click.
std::vector<std::uint8_t> click(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    s.glide(0, 0.0104, 3200, 1800, 1.0, 0.0025);
    s.noise(0, 0.006, 3500, 0.8, 0.7, 0.0012, 102);
    return s.render(0.8, 0.0004, 0.002);
}

// 103: a dull two-step "no", falling from G3 to D3.
std::vector<std::uint8_t> refusal(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    s.note(0.0, 0.075, pitch(55), 1.0, mellow(0.12, 7));
    s.note(0.095, 0.07, pitch(50), 1.0, mellow(0.1, 7));
    s.noise(0.0, 0.02, 300, 0.7, 0.25, 0.006, 103);
    return s.render(0.8, 0.003, 0.03);
}

// 104: a soft thud as a block reaches the floor.
std::vector<std::uint8_t> thud(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    s.glide(0, 0.078, 150, 55, 1.0, 0.025);
    s.noise(0, 0.03, 260, 0.6, 0.5, 0.008, 104);
    return s.render(0.85, 0.0015, 0.015);
}

// 107: a lighter wooden knock as a block lands on another.
std::vector<std::uint8_t> knock(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    Synth::Timbre wood{{1, 2.27, 3.64}, {1, 0.55, 0.3}, {0.035, 0.022, 0.012}, 0.001, 0.02};
    s.note(0, 0.1, 560, 1.0, wood);
    s.noise(0, 0.012, 2200, 1.2, 0.35, 0.003, 107);
    return s.render(0.8, 0.001, 0.02);
}

// 106: a falling minor figure G-Eb-C for the end of a game.
std::vector<std::uint8_t> gameOver(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    s.note(0.0, 0.08, pitch(67), 0.9, mellow(0.25, 9));
    s.note(0.09, 0.08, pitch(63), 0.9, mellow(0.25, 9));
    s.note(0.18, 0.1, pitch(60), 1.0, mellow(0.3, 9));
    s.note(0.18, 0.1, pitch(48), 0.4, mellow(0.3, 5));
    return s.render(0.8, 0.003, 0.05);
}

// 105: the fanfare for a cleared board: a call of three short notes, a
// rising run and a held major chord with a timpani stroke and a cymbal swell.
std::vector<std::uint8_t> fanfare(const SoundFormat& f) {
    Synth s(f.sampleRate, f.dataBytes);
    struct Note {
        double start, length;
        int midi;
        double level;
    };
    const Note melody[] = {{0.00, 0.09, 67, 0.8}, {0.13, 0.09, 67, 0.8}, {0.26, 0.09, 67, 0.8},
                           {0.40, 0.26, 72, 1.0}, {0.70, 0.09, 67, 0.8}, {0.83, 0.09, 72, 0.85},
                           {0.96, 0.16, 76, 0.95}};
    for (const Note& n : melody)
        s.note(n.start + 0.005, n.length, pitch(n.midi), n.level, brass(0));
    for (int midi : {60, 64, 67, 72})
        s.note(1.18, 1.12, pitch(midi), midi == 72 ? 0.6 : 0.4, brass(0.006));
    s.glide(1.18, 0.6, 110, 80, 0.9, 0.25);
    s.noise(1.18, 1.1, 4200, 0.5, 0.18, 0.35, 105);
    return s.render(0.88, 0.003, 0.22);
}

} // namespace

std::vector<std::uint8_t> makeSound(const SoundFormat& format) {
    switch (format.id) {
    case 100:
        return newGame(format);
    case 101:
        return chime(format);
    case 102:
        return click(format);
    case 103:
        return refusal(format);
    case 104:
        return thud(format);
    case 105:
        return fanfare(format);
    case 106:
        return gameOver(format);
    case 107:
        return knock(format);
    default:
        throw std::invalid_argument("no such sound");
    }
}

} // namespace tavro::sound
