#include "ColourVision.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavro::art {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

const Matrix& matrix(Vision vision) {
    static const Matrix identity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    static const Matrix protan = {{{0.152286, 1.052583, -0.204868},
                                   {0.114503, 0.786281, 0.099216},
                                   {-0.003882, -0.048116, 1.051998}}};
    static const Matrix deutan = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
    static const Matrix tritan = {{{1.255528, -0.076749, -0.178779},
                                   {-0.078411, 0.930809, 0.147602},
                                   {0.004733, 0.691367, 0.303900}}};
    switch (vision) {
    case Vision::Protanopia:
        return protan;
    case Vision::Deuteranopia:
        return deutan;
    case Vision::Tritanopia:
        return tritan;
    default:
        return identity;
    }
}

double labF(double t) {
    constexpr double e = 216.0 / 24389.0, k = 24389.0 / 27.0;
    return t > e ? std::cbrt(t) : (k * t + 16) / 116;
}

double degrees(double radians) {
    const double d = radians * 180 / std::numbers::pi;
    return d < 0 ? d + 360 : d;
}

double radians(double deg) {
    return deg * std::numbers::pi / 180;
}

} // namespace

const char* visionName(Vision vision) {
    switch (vision) {
    case Vision::Protanopia:
        return "protanopia";
    case Vision::Deuteranopia:
        return "deuteranopia";
    case Vision::Tritanopia:
        return "tritanopia";
    default:
        return "normal";
    }
}

double toLinear(int srgb8) {
    const double c = srgb8 / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int toSrgb8(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double s = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return int(std::lround(s * 255));
}

LinearRgb simulate(const LinearRgb& colour, Vision vision) {
    const Matrix& m = matrix(vision);
    LinearRgb out{};
    for (int row = 0; row < 3; ++row)
        out[row] = std::clamp(m[row][0] * colour[0] + m[row][1] * colour[1] + m[row][2] * colour[2],
                              0.0, 1.0);
    return out;
}

Lab toLab(const LinearRgb& c) {
    const double x = 0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2];
    const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
    const double z = 0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2];
    const double fx = labF(x / 0.95047), fy = labF(y), fz = labF(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double ciede2000(const Lab& x, const Lab& y) {
    const double c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = x.a * (1 + g), a2 = y.a * (1 + g);
    const double cp1 = std::hypot(a1, x.b), cp2 = std::hypot(a2, y.b);
    const double h1 = cp1 == 0 ? 0 : degrees(std::atan2(x.b, a1));
    const double h2 = cp2 == 0 ? 0 : degrees(std::atan2(y.b, a2));
    const double dL = y.l - x.l, dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2));
    const double lMean = (x.l + y.l) / 2, cpMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::abs(h1 - h2) <= 180)
            hMean /= 2;
        else
            hMean = (h1 + h2 < 360 ? h1 + h2 + 360 : h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(hMean - 30)) +
                     0.24 * std::cos(radians(2 * hMean)) + 0.32 * std::cos(radians(3 * hMean + 6)) -
                     0.20 * std::cos(radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cpMean7 = std::pow(cpMean, 7);
    const double rc = 2 * std::sqrt(cpMean7 / (cpMean7 + std::pow(25.0, 7)));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * cpMean, sh = 1 + 0.015 * cpMean * t;
    const double rt = -std::sin(radians(2 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

LinearRgb centreMean(const QImage& image, const QRect& cell) {
    const int side = int(std::lround(cell.width() * 0.4));
    const QRect centre(cell.x() + (cell.width() - side) / 2, cell.y() + (cell.height() - side) / 2,
                       side, side);
    LinearRgb sum{};
    for (int y = centre.top(); y <= centre.bottom(); ++y)
        for (int x = centre.left(); x <= centre.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum[0] += toLinear(qRed(p));
            sum[1] += toLinear(qGreen(p));
            sum[2] += toLinear(qBlue(p));
        }
    for (double& c : sum)
        c /= double(side) * side;
    return sum;
}

TypeDifference smallestTypeDifference(const QImage& strip, int types) {
    const int side = strip.height();
    TypeDifference least{1e9, 0, 0, Vision::Normal};
    for (Vision vision : kVisions)
        for (int a = 0; a < types; ++a)
            for (int b = a + 1; b < types; ++b) {
                const Lab first =
                    toLab(simulate(centreMean(strip, {a * side, 0, side, side}), vision));
                const Lab second =
                    toLab(simulate(centreMean(strip, {b * side, 0, side, side}), vision));
                const double d = ciede2000(first, second);
                if (d < least.value)
                    least = {d, a, b, vision};
            }
    return least;
}

QImage simulated(const QImage& image, Vision vision) {
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const LinearRgb seen = simulate(
                {toLinear(qRed(line[x])), toLinear(qGreen(line[x])), toLinear(qBlue(line[x]))},
                vision);
            line[x] = qRgb(toSrgb8(seen[0]), toSrgb8(seen[1]), toSrgb8(seen[2]));
        }
    }
    return out;
}

} // namespace tavro::art
