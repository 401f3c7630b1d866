#include "BackgroundArt.h"

#include "ArtRandom.h"
#include "ImageFx.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace tavro::art {

namespace {

constexpr int W = 800;
constexpr int H = 600;

// Pictures are drawn in logical 800 x 600 coordinates on images with `scale`
// times the pixels: painters work through the images' device pixel ratio, and
// the pixel loops map each pixel back to logical coordinates.
int scale = 1;

QImage layer(QColor fill) {
    QImage image(W * scale, H * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

QImage canvas() {
    return layer(Qt::black);
}

// Logical coordinate of pixel column or row i.
double logical(int i) {
    return scale == 1 ? i : (i + 0.5) / scale - 0.5;
}

void verticalGradient(QPainter& p, std::initializer_list<std::pair<double, QColor>> stops,
                      QRectF area = QRectF(0, 0, W, H)) {
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
    p.fillRect(area, g);
}

void glow(QPainter& p, QPointF at, double radius, const QColor& colour) {
    QRadialGradient g(at, radius);
    g.setColorAt(0, colour);
    g.setColorAt(1, withAlpha(colour, 0));
    p.fillRect(QRectF(0, 0, W, H), g);
}

// Soft clouds: noise thresholded into alpha, stretched horizontally.
void clouds(QImage& image, const QColor& colour, double cover, double top, double bottom, int seed,
            double strength = 1.0) {
    QImage sky = layer(Qt::transparent);
    for (int py = static_cast<int>(top) * scale; py < static_cast<int>(bottom) * scale; ++py) {
        QRgb* row = reinterpret_cast<QRgb*>(sky.scanLine(py));
        const double y = logical(py);
        const double fade = std::sin(std::numbers::pi * (y - top) / (bottom - top));
        for (int px = 0; px < W * scale; ++px) {
            const double x = logical(px);
            const double n = fractalNoise(x / 190.0, y / 60.0, 5, seed);
            const double a = std::clamp((n - (1 - cover)) / 0.25, 0.0, 1.0) * fade * strength;
            const int alpha = static_cast<int>(a * colour.alpha());
            row[px] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), alpha));
        }
    }
    QPainter p(&image);
    p.drawImage(0, 0, sky);
}

// A mountain or hill range: noise ridge filled down to the bottom, with a haze
// that rises from the foot so that far ranges melt into the sky.
void ridge(QImage& image, double base, double height, double scale, int seed, const QColor& top,
           const QColor& foot, const QColor& haze) {
    QPainterPath path;
    path.moveTo(0, H);
    for (int x = 0; x <= W; x += 4) {
        const double n = fractalNoise(x / scale, 0.5, 5, seed);
        path.lineTo(x, base - height * n);
    }
    path.lineTo(W, H);
    path.closeSubpath();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, base - height, 0, H);
    g.setColorAt(0, top);
    g.setColorAt(1, foot);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    QLinearGradient mist(0, base - height * 0.3, 0, base + 60);
    mist.setColorAt(0, withAlpha(haze, 0));
    mist.setColorAt(1, haze);
    p.setBrush(mist);
    p.drawPath(path);
}

// 0: dusk over mountain ranges.
QImage dusk() {
    QImage image = canvas();
    {
        QPainter p(&image);
        verticalGradient(p, {{0, QColor(28, 30, 78)},
                             {0.35, QColor(96, 62, 128)},
                             {0.58, QColor(226, 128, 110)},
                             {0.7, QColor(250, 196, 132)}});
        glow(p, QPointF(560, 330), 240, QColor(255, 214, 150, 200));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 196));
        p.drawEllipse(QPointF(560, 330), 34, 34);
    }
    clouds(image, QColor(255, 180, 170, 120), 0.45, 40, 300, 3);
    ridge(image, 400, 170, 260, 11, QColor(150, 110, 160), QColor(190, 130, 140),
          QColor(236, 168, 140, 200));
    ridge(image, 460, 150, 200, 12, QColor(100, 70, 120), QColor(130, 84, 120),
          QColor(200, 130, 130, 170));
    ridge(image, 530, 130, 160, 13, QColor(62, 42, 84), QColor(80, 50, 90),
          QColor(150, 96, 120, 140));
    ridge(image, 610, 120, 130, 14, QColor(34, 24, 52), QColor(28, 20, 40),
          QColor(90, 60, 90, 100));
    return image;
}

void stars(QImage& image, int count, int seed, double maxY) {
    ArtRandom random(seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(random.range(0, W), maxY * std::pow(random.unit(), 1.4));
        const double bright = random.unit();
        const double size = 0.5 + bright * bright * 1.6;
        if (bright > 0.93)
            glow(p, at, 9, QColor(200, 220, 255, 90));
        p.setBrush(QColor(230, 236, 255, 80 + static_cast<int>(175 * bright)));
        p.drawEllipse(at, size, size);
    }
}

// 1: northern lights over a forest.
QImage aurora() {
    QImage image = canvas();
    {
        QPainter p(&image);
        verticalGradient(
            p, {{0, QColor(6, 10, 28)}, {0.6, QColor(14, 34, 62)}, {1, QColor(20, 52, 70)}});
    }
    stars(image, 420, 21, 480);
    QImage veil = layer(Qt::transparent);
    for (int py = 0; py < H * scale; ++py) {
        QRgb* row = reinterpret_cast<QRgb*>(veil.scanLine(py));
        const double y = logical(py);
        for (int px = 0; px < W * scale; ++px) {
            const double x = logical(px);
            // The curtain's lower edge winds across the sky; its rays rise from it.
            const double edge =
                250 + 90 * std::sin(x / 150.0) + 60 * (fractalNoise(x / 220.0, 0, 3, 5) - 0.5) * 2;
            const double above = edge - y;
            if (above < -12 || above > 260)
                continue;
            const double rays = 0.55 + 0.45 * fractalNoise(x / 9.0, y / 160.0, 3, 8);
            const double fall = above < 0 ? std::exp(above / 5.0) : std::exp(-above / 90.0);
            const double a = std::clamp(rays * fall * 0.85, 0.0, 1.0);
            const double t = std::clamp(above / 200.0, 0.0, 1.0);
            const QColor c = mix(QColor(90, 255, 170), QColor(150, 90, 230), t);
            row[px] = qPremultiply(qRgba(c.red(), c.green(), c.blue(), static_cast<int>(a * 170)));
        }
    }
    blur(veil, 4 * scale);
    {
        QPainter p(&image);
        p.drawImage(0, 0, veil);
    }
    ridge(image, 560, 60, 140, 31, QColor(12, 26, 34), QColor(6, 14, 20), QColor(30, 70, 80, 90));
    // Pine silhouettes on the near hill.
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(4, 10, 14));
    ArtRandom random(32);
    for (int x = -10; x < W + 20; x += 14 + random.below(18)) {
        const double h = random.range(40, 110);
        const double foot = 590 - random.range(0, 30);
        p.drawPolygon(QPolygonF(
            {QPointF(x, foot - h), QPointF(x - h * 0.22, foot), QPointF(x + h * 0.22, foot)}));
    }
    p.fillRect(QRectF(0, 580, W, 20), QColor(4, 10, 14));
    return image;
}

// 2: calm sea under a bright sky.
QImage seascape() {
    QImage image = canvas();
    const double horizon = 330;
    {
        QPainter p(&image);
        verticalGradient(p, {{0, QColor(58, 112, 184)}, {1, QColor(200, 222, 238)}},
                         QRectF(0, 0, W, horizon));
        verticalGradient(p, {{0, QColor(70, 130, 170)}, {1, QColor(18, 54, 96)}},
                         QRectF(0, horizon, W, H - horizon));
        glow(p, QPointF(240, horizon - 60), 220, QColor(255, 248, 220, 160));
    }
    clouds(image, QColor(255, 255, 255, 170), 0.5, 20, horizon - 30, 41);
    // Ripples: horizontal noise streaks, wider towards the viewer.
    for (int py = static_cast<int>(horizon) * scale; py < H * scale; ++py) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(py));
        const double y = logical(py);
        const double depth = (y - horizon) / (H - horizon);
        for (int px = 0; px < W * scale; ++px) {
            const double x = logical(px);
            const double n = fractalNoise(x / (40 + 300 * depth), y / (2 + 10 * depth), 4, 44);
            const double sun = std::exp(-std::pow((x - 240) / (30 + 90 * depth), 2));
            const double light = (n - 0.5) * 60 + sun * std::max(0.0, n - 0.45) * 360;
            const QColor c(row[px]);
            auto add = [&](int v) { return std::clamp(static_cast<int>(v + light), 0, 255); };
            row[px] = qRgb(add(c.red()), add(c.green()), add(c.blue()));
        }
    }
    return image;
}

// 3: morning mist over forested hills.
QImage misty() {
    QImage image = canvas();
    {
        QPainter p(&image);
        verticalGradient(p, {{0, QColor(150, 190, 200)},
                             {0.55, QColor(220, 230, 214)},
                             {1, QColor(200, 214, 190)}});
        glow(p, QPointF(200, 160), 260, QColor(255, 250, 220, 150));
    }
    clouds(image, QColor(255, 255, 255, 120), 0.4, 20, 220, 51);
    ridge(image, 330, 120, 240, 52, QColor(140, 170, 160), QColor(170, 196, 180),
          QColor(220, 230, 220, 220));
    ridge(image, 410, 130, 180, 53, QColor(90, 130, 110), QColor(120, 156, 130),
          QColor(210, 224, 210, 200));
    ridge(image, 490, 130, 150, 54, QColor(56, 96, 74), QColor(70, 110, 84),
          QColor(190, 210, 196, 170));
    ridge(image, 580, 120, 110, 55, QColor(30, 62, 44), QColor(24, 50, 36),
          QColor(150, 180, 160, 110));
    return image;
}

// 4: desert dunes in warm light.
QImage dunes() {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalGradient(
        p,
        {{0, QColor(96, 150, 210)}, {0.45, QColor(236, 206, 170)}, {0.6, QColor(246, 214, 160)}});
    glow(p, QPointF(640, 250), 200, QColor(255, 244, 210, 170));
    struct Dune {
        double base, amplitude, wavelength, phase;
        QColor lit, shade;
    };
    const std::array<Dune, 4> layers = {{
        {330, 40, 380, 0.5, QColor(232, 176, 116), QColor(200, 134, 90)},
        {400, 50, 300, 2.0, QColor(226, 156, 90), QColor(184, 112, 66)},
        {470, 56, 340, 4.1, QColor(214, 136, 70), QColor(160, 90, 50)},
        {550, 60, 420, 1.2, QColor(196, 114, 56), QColor(136, 70, 38)},
    }};
    for (const Dune& dune : layers) {
        QPainterPath crest;
        crest.moveTo(0, H);
        for (int x = 0; x <= W; x += 4) {
            const double t = x / dune.wavelength * 2 * std::numbers::pi + dune.phase;
            crest.lineTo(x,
                         dune.base - dune.amplitude * (std::sin(t) + 0.35 * std::sin(2.3 * t + 1)));
        }
        crest.lineTo(W, H);
        crest.closeSubpath();
        QLinearGradient g(0, dune.base - dune.amplitude, W, dune.base + 80);
        g.setColorAt(0, dune.lit);
        g.setColorAt(1, dune.shade);
        p.setPen(QPen(lighter(dune.lit, 0.3), 1.5));
        p.setBrush(g);
        p.drawPath(crest);
    }
    return image;
}

// 5: soft out-of-focus lights.
QImage bokeh() {
    QImage image = canvas();
    {
        QPainter p(&image);
        QLinearGradient g(0, 0, W, H);
        g.setColorAt(0, QColor(30, 20, 60));
        g.setColorAt(0.5, QColor(52, 26, 82));
        g.setColorAt(1, QColor(14, 30, 66));
        p.fillRect(image.rect(), g);
    }
    QImage lights = layer(Qt::transparent);
    ArtRandom random(61);
    {
        QPainter p(&lights);
        p.setRenderHint(QPainter::Antialiasing);
        const std::array<QColor, 4> hues = {QColor(255, 140, 200), QColor(120, 180, 255),
                                            QColor(255, 210, 140), QColor(170, 130, 255)};
        for (int i = 0; i < 60; ++i) {
            const QPointF at(random.range(-40, W + 40), random.range(-40, H + 40));
            const double r = random.range(14, 60);
            const QColor c = withAlpha(hues[random.below(4)], 30 + random.below(60));
            QRadialGradient g(at, r);
            g.setColorAt(0, withAlpha(c, c.alpha() / 2));
            g.setColorAt(0.85, c);
            g.setColorAt(1, withAlpha(c, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(at, r, r);
        }
    }
    blur(lights, 3 * scale);
    QPainter p(&image);
    p.drawImage(0, 0, lights);
    return image;
}

// 6: polished slate marble.
QImage marbleSlab() {
    QImage image = canvas();
    for (int py = 0; py < H * scale; ++py) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(py));
        const double y = logical(py);
        for (int px = 0; px < W * scale; ++px) {
            const double x = logical(px);
            const double warp = fractalNoise(x / 160.0, y / 160.0, 6, 71);
            const double vein = std::abs(std::sin((x * 0.6 + y * 0.9) / 70.0 + warp * 9));
            const double line = std::pow(1 - vein, 5);
            const double broad = std::pow(1 - vein, 1.5);
            const double cloud = fractalNoise(x / 90.0, y / 90.0, 5, 72);
            const QColor base = mix(QColor(44, 52, 64), QColor(70, 80, 94), cloud);
            const QColor c = mix(mix(base, QColor(96, 104, 118), broad * 0.35),
                                 QColor(156, 164, 178), std::min(1.0, line * 0.45));
            row[px] = c.rgb();
        }
    }
    QPainter p(&image);
    glow(p, QPointF(200, 120), 520, QColor(255, 255, 255, 30));
    return image;
}

// 7: flowing translucent ribbons.
QImage ribbons() {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, W, H);
    g.setColorAt(0, QColor(8, 40, 56));
    g.setColorAt(1, QColor(10, 22, 40));
    p.fillRect(image.rect(), g);
    const std::array<QColor, 3> hues = {QColor(40, 200, 190), QColor(60, 140, 230),
                                        QColor(140, 230, 200)};
    for (int band = 0; band < 9; ++band) {
        const double centreY = 120 + band * 45;
        const double amplitude = 60 + band * 6;
        QPainterPath path;
        auto edge = [&](double x, double offset) {
            return centreY + amplitude * std::sin(x / 210.0 + band * 0.45) +
                   offset * std::cos(x / 160.0 + band);
        };
        path.moveTo(0, edge(0, 0));
        for (int x = 0; x <= W; x += 8)
            path.lineTo(x, edge(x, 0));
        for (int x = W; x >= 0; x -= 8)
            path.lineTo(x, edge(x, 22 + band * 2));
        path.closeSubpath();
        QLinearGradient rg(0, 0, W, 0);
        const QColor c = hues[band % 3];
        rg.setColorAt(0, withAlpha(c, 10));
        rg.setColorAt(0.5, withAlpha(c, 52));
        rg.setColorAt(1, withAlpha(c, 14));
        p.setPen(QPen(withAlpha(lighter(c, 0.4), 60), 1.2));
        p.setBrush(rg);
        p.drawPath(path);
    }
    glow(p, QPointF(620, 140), 300, QColor(120, 220, 255, 40));
    return image;
}

// 8: low-polygon mosaic in a diagonal colour sweep.
QImage mosaic() {
    QImage image = canvas();
    ArtRandom random(81);
    constexpr int step = 80;
    constexpr int cols = W / step + 2, rows = H / step + 2;
    std::vector<QPointF> grid;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const bool edge = r == 0 || c == 0 || r == rows - 1 || c == cols - 1;
            const double jitter = edge ? 0 : 26;
            grid.emplace_back(c * step - step / 2 + random.range(-jitter, jitter),
                              r * step - step / 2 + random.range(-jitter, jitter));
        }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    auto colourAt = [](QPointF at) {
        const double t = std::clamp((at.x() / W) * 0.6 + (at.y() / H) * 0.4, 0.0, 1.0);
        return t < 0.5 ? mix(QColor(24, 60, 120), QColor(70, 50, 130), t * 2)
                       : mix(QColor(70, 50, 130), QColor(150, 60, 110), (t - 0.5) * 2);
    };
    for (int r = 0; r + 1 < rows; ++r)
        for (int c = 0; c + 1 < cols; ++c) {
            const QPointF a = grid[r * cols + c], b = grid[r * cols + c + 1];
            const QPointF d = grid[(r + 1) * cols + c], e = grid[(r + 1) * cols + c + 1];
            for (const QPolygonF& tri : {QPolygonF({a, b, e}), QPolygonF({a, e, d})}) {
                const QPointF mid = (tri[0] + tri[1] + tri[2]) / 3;
                const double shade = random.range(-0.12, 0.12) + (0.5 - mid.y() / H) * 0.12;
                const QColor base = colourAt(mid);
                const QColor c2 = shade > 0 ? lighter(base, shade) : darker(base, -shade);
                p.setPen(QPen(c2, 1));
                p.setBrush(c2);
                p.drawPolygon(tri);
            }
        }
    glow(p, QPointF(260, 160), 420, QColor(255, 255, 255, 26));
    return image;
}

} // namespace

QImage backgroundPicture(int index, int pictureScale) {
    static const std::array<std::function<QImage()>, kBackgroundCount> pictures = {
        dusk, aurora, seascape, misty, dunes, bokeh, marbleSlab, ribbons, mosaic};
    scale = pictureScale;
    QImage picture = pictures[index]();
    scale = 1;
    picture.setDevicePixelRatio(1);
    return opaque(picture);
}

} // namespace tavro::art
