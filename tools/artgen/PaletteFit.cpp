// tavro_palettefit [set...]: searches, for each block set, six base colours
// whose drawn blocks stay apart for normal vision and the three simulated
// dichromacies, each within the hue range of its type (red, green, blue,
// yellow, purple, cyan), and prints them as a palette line for BlockPalette.cpp.
#include "BlockArt.h"
#include "ColourVision.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tavro::art;

namespace {

struct Candidate {
    QColor colour;
    std::array<Lab, 4> seen; // centre mean of its block in the four visions
};

bool inHueRange(int type, const QColor& c) {
    static const std::array<std::pair<int, int>, 6> range = {
        {{345, 30}, {80, 165}, {205, 250}, {40, 66}, {262, 335}, {166, 204}}};
    const int h = c.hsvHue();
    if (h < 0 || c.hsvSaturation() < 115 || c.value() < (type == 2 || type == 4 ? 140 : 160))
        return false;
    const auto [from, to] = range[type];
    return from <= to ? h >= from && h <= to : h >= from || h <= to;
}

Candidate measure(int set, int type, const QColor& colour) {
    Palette palette;
    palette.fill(colour);
    const QImage cell = blockImage(set, type, kBlockSize, palette);
    const LinearRgb mean = centreMean(cell, cell.rect());
    Candidate c{colour, {}};
    for (int v = 0; v < 4; ++v)
        c.seen[v] = toLab(simulate(mean, kVisions[v]));
    return c;
}

double pairDifference(const Candidate& a, const Candidate& b) {
    double least = 1e9;
    for (int v = 0; v < 4; ++v)
        least = std::min(least, ciede2000(a.seen[v], b.seen[v]));
    return least;
}

// Differences above this are plenty; beyond it the colours stay near the old ones.
constexpr double kEnough = 13;

int rgbDistance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

// The three smallest pair differences (capped at kEnough), compared
// lexicographically, then the nearness to the set's present colours.
std::array<double, 4> score(const std::array<const Candidate*, 6>& pick, const Palette& now) {
    std::vector<double> d;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            d.push_back(std::min(kEnough, pairDifference(*pick[a], *pick[b])));
    std::sort(d.begin(), d.end());
    int moved = 0;
    for (int t = 0; t < 6; ++t)
        moved += rgbDistance(pick[t]->colour, now[t]);
    return {d[0], d[1], d[2], -double(moved)};
}

double smallest(const std::array<const Candidate*, 6>& pick) {
    double least = 1e9;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            least = std::min(least, pairDifference(*pick[a], *pick[b]));
    return least;
}

void fit(int set) {
    const bool shapesDiffer = !(set == 0 || set == 1 || set == 3 || set == 4 || set == 7 ||
                                set == 9 || set == 11 || set == 12);
    std::array<std::vector<Candidate>, 6> pool;
    std::vector<Candidate> shared;
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17) {
                const QColor colour(r, g, b);
                bool any = false;
                for (int t = 0; t < 6; ++t)
                    any |= inHueRange(t, colour);
                if (!any)
                    continue;
                const Candidate common = shapesDiffer ? Candidate{} : measure(set, 0, colour);
                for (int t = 0; t < 6; ++t)
                    if (inHueRange(t, colour))
                        pool[t].push_back(shapesDiffer ? measure(set, t, colour) : common);
            }
    std::array<const Candidate*, 6> pick{};
    for (int t = 0; t < 6; ++t) {
        // Start from the candidate nearest to the set's present colour.
        const QColor now = setPalette(set)[t];
        pick[t] =
            &*std::min_element(pool[t].begin(), pool[t].end(), [&](const auto& a, const auto& b) {
                return rgbDistance(a.colour, now) < rgbDistance(b.colour, now);
            });
    }
    for (bool improved = true; improved;) {
        improved = false;
        for (int t = 0; t < 6; ++t) {
            auto best = score(pick, setPalette(set));
            const Candidate* bestPick = pick[t];
            for (const Candidate& c : pool[t]) {
                pick[t] = &c;
                const auto s = score(pick, setPalette(set));
                if (s > best) {
                    best = s;
                    bestPick = &c;
                    improved = true;
                }
            }
            pick[t] = bestPick;
        }
    }
    std::printf("set %d: smallest %.2f\n   ", set, smallest(pick));
    for (const Candidate* c : pick)
        std::printf(" QColor(%d, %d, %d),", c->colour.red(), c->colour.green(), c->colour.blue());
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    for (const QString& arg : app.arguments().mid(1))
        fit(arg.toInt());
    return 0;
}
