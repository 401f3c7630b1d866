#include "ImageFx.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tavro::art {

namespace {

double lattice(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0xffffff);
}

double smooth(double t) {
    return t * t * (3 - 2 * t);
}

// One horizontal box pass over a row-major channel buffer.
void boxPass(std::vector<double>& data, int width, int height, int radius, bool horizontal) {
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<double> line(length);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> double& {
            return horizontal ? data[l * width + i] : data[i * width + l];
        };
        for (int i = 0; i < length; ++i)
            line[i] = at(i);
        double sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += line[std::clamp(i, 0, length - 1)];
        for (int i = 0; i < length; ++i) {
            at(i) = sum / (2 * radius + 1);
            sum += line[std::min(i + radius + 1, length - 1)];
            sum -= line[std::max(i - radius, 0)];
        }
    }
}

} // namespace

double valueNoise(double x, double y, int seed) {
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double tx = smooth(x - xi);
    const double ty = smooth(y - yi);
    const double a = lattice(xi, yi, seed), b = lattice(xi + 1, yi, seed);
    const double c = lattice(xi, yi + 1, seed), d = lattice(xi + 1, yi + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double fractalNoise(double x, double y, int octaves, int seed) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += valueNoise(x, y, seed + o * 101) * weight;
        total += weight;
        weight *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / total;
}

void blur(QImage& image, int radius) {
    if (radius <= 0)
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width(), h = image.height();
    std::vector<double> channels[4];
    for (auto& c : channels)
        c.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            channels[0][y * w + x] = qRed(row[x]);
            channels[1][y * w + x] = qGreen(row[x]);
            channels[2][y * w + x] = qBlue(row[x]);
            channels[3][y * w + x] = qAlpha(row[x]);
        }
    }
    const int box = std::max(1, radius / 2);
    for (auto& c : channels)
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(c, w, h, box, true);
            boxPass(c, w, h, box, false);
        }
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            auto v = [&](int c) {
                return std::clamp(int(std::lround(channels[c][y * w + x])), 0, 255);
            };
            const int a = v(3);
            row[x] = qRgba(std::min(v(0), a), std::min(v(1), a), std::min(v(2), a), a);
        }
    }
}

QImage softShadow(const QPainterPath& path, QSize size, const QColor& colour, int radius) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path, colour);
    p.end();
    blur(image, radius);
    return image;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()),
                            lerp(a.blueF(), b.blueF()), lerp(a.alphaF(), b.alphaF()));
}

QColor lighter(const QColor& c, double amount) {
    QColor white(255, 255, 255, c.alpha());
    return mix(c, white, amount);
}

QColor darker(const QColor& c, double amount) {
    QColor black(0, 0, 0, c.alpha());
    return mix(c, black, amount);
}

QColor withAlpha(const QColor& c, int alpha) {
    QColor result = c;
    result.setAlpha(alpha);
    return result;
}

QImage opaque(const QImage& image, const QColor& under) {
    QImage result(image.size(), QImage::Format_RGB32);
    result.fill(under);
    QPainter p(&result);
    p.drawImage(0, 0, image);
    return result;
}

} // namespace tavro::art
