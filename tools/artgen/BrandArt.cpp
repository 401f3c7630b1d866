#include "BrandArt.h"

#include "ArtRandom.h"
#include "BlockArt.h"
#include "ImageFx.h"
#include "LogoLetters.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace tavro::art {

namespace {

const QColor kAccent(93, 166, 255);

QImage transparentCanvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The word filled with a cool metallic gradient, outlined, with glow and shadow.
void paintWord(QPainter& p, const QRectF& target) {
    const QPainterPath word = tavroWordPath();
    const QRectF bounds = word.boundingRect();
    const double scale =
        std::min(target.width() / bounds.width(), target.height() / bounds.height());
    QTransform t;
    t.translate(target.center().x(), target.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    const QPainterPath path = t.map(word);
    const QSize size(p.device()->width(), p.device()->height());
    p.drawImage(0, 0,
                softShadow(path, size, withAlpha(kAccent, 150), static_cast<int>(6 * scale + 3)));
    p.drawImage(0, 0,
                softShadow(path.translated(2 * scale + 1, 4 * scale + 1), size,
                           QColor(0, 0, 0, 190), static_cast<int>(4 * scale + 2)));
    const QRectF box = path.boundingRect();
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(0.45, QColor(200, 226, 255));
    fill.setColorAt(0.5, QColor(126, 180, 255));
    fill.setColorAt(1, QColor(60, 110, 220));
    p.setPen(QPen(QColor(10, 24, 60), std::max(1.5, 4 * scale), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 120), std::max(1.0, 1.6 * scale)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path.translated(0, scale));
}

void sphereStack(QPainter& p, QPointF origin, double r, std::initializer_list<int> types,
                 bool mirror) {
    const QPointF offsets[] = {{0, 1}, {1, 1}, {0.5, 0.14}};
    int i = 0;
    for (int type : types) {
        QPointF o = offsets[i++];
        if (mirror)
            o.setX(1 - o.x());
        drawSphere(p, origin + QPointF(o.x() * 2 * r, o.y() * 2 * r * 0.92), r, typeColour(type));
    }
}

} // namespace

QImage headerBand(int scale) {
    const int s = scale;
    QImage image(621 * s, 48 * s, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, 48 * s);
    g.setColorAt(0, QColor(6, 10, 24));
    g.setColorAt(0.55, QColor(20, 36, 78));
    g.setColorAt(0.9, QColor(8, 14, 34));
    g.setColorAt(1, QColor(4, 6, 14));
    p.fillRect(image.rect(), g);
    // Fine brushed streaks that survive horizontal stretching.
    for (int y = 0; y < 46 * s; ++y)
        for (int x = 0; x < 621 * s; ++x) {
            const double n = fractalNoise(x / (120.0 * s), y * 1.7 / s, 3, 5) - 0.5;
            const QColor c(image.pixel(x, y));
            auto add = [&](int v) { return std::clamp(static_cast<int>(v + n * 18), 0, 255); };
            image.setPixel(x, y, qRgb(add(c.red()), add(c.green()), add(c.blue())));
        }
    QRadialGradient centreGlow(QPointF(310, 26) * s, 300 * s);
    centreGlow.setColorAt(0, QColor(70, 130, 230, 90));
    centreGlow.setColorAt(1, QColor(70, 130, 230, 0));
    p.fillRect(image.rect(), centreGlow);
    QLinearGradient line(0, 0, 621 * s, 0);
    line.setColorAt(0, withAlpha(kAccent, 40));
    line.setColorAt(0.5, withAlpha(kAccent, 255));
    line.setColorAt(1, withAlpha(kAccent, 40));
    p.fillRect(QRectF(0, 46 * s, 621 * s, s), line);
    p.fillRect(QRectF(0, 0, 621 * s, s), QColor(40, 60, 110));
    p.end();
    return opaque(image);
}

QImage logoPicture(int scale) {
    const double s = scale;
    QImage image = transparentCanvas(414 * scale, 65 * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintWord(p, QRectF(118 * s, 4 * s, 178 * s, 55 * s));
    sphereStack(p, QPointF(30, 22) * s, 11.5 * s, {0, 2, 1}, false);
    sphereStack(p, QPointF(338, 22) * s, 11.5 * s, {3, 5, 4}, true);
    // Thin light rails that tie the word to the blocks.
    for (bool right : {false, true}) {
        QLinearGradient rail((right ? 300 : 114) * s, 0, (right ? 334 : 80) * s, 0);
        rail.setColorAt(0, withAlpha(kAccent, 200));
        rail.setColorAt(1, withAlpha(kAccent, 0));
        p.fillRect(QRectF((right ? 300 : 80) * s, 56 * s, 34 * s, 2 * s), rail);
    }
    return image;
}

QImage appIcon(int size) {
    constexpr int S = 512;
    QImage image = transparentCanvas(S, S);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(16, 16, S - 32, S - 32);
    p.drawImage(0, 0,
                softShadow(
                    [&] {
                        QPainterPath path;
                        path.addRoundedRect(tile.translated(0, 8), 96, 96);
                        return path;
                    }(),
                    QSize(S, S), QColor(0, 0, 0, 140), 12));
    QLinearGradient g(tile.topLeft(), tile.bottomLeft());
    g.setColorAt(0, QColor(34, 56, 110));
    g.setColorAt(1, QColor(10, 16, 40));
    p.setPen(QPen(QColor(93, 166, 255), 10));
    p.setBrush(g);
    p.drawRoundedRect(tile.adjusted(5, 5, -5, -5), 90, 90);
    const double r = 94;
    drawSphere(p, QPointF(156, 156), r, typeColour(0));
    drawSphere(p, QPointF(356, 156), r, typeColour(2));
    drawSphere(p, QPointF(156, 356), r, typeColour(3));
    drawSphere(p, QPointF(356, 356), r, typeColour(1));
    p.end();
    QImage result = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return result.convertToFormat(QImage::Format_ARGB32);
}

QImage infoPicture() {
    constexpr int W = 356, H = 330;
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, H);
    sky.setColorAt(0, QColor(10, 18, 44));
    sky.setColorAt(1, QColor(4, 6, 16));
    p.fillRect(image.rect(), sky);
    QRadialGradient light(QPointF(W / 2.0, 60), 220);
    light.setColorAt(0, QColor(70, 130, 230, 110));
    light.setColorAt(1, QColor(70, 130, 230, 0));
    p.fillRect(image.rect(), light);
    paintWord(p, QRectF(78, 10, 200, 64));

    // A small board in play: one column of blocks still falling into a gap.
    constexpr int cell = 42, cols = 7, rows = 4;
    const QPointF origin((W - cols * cell) / 2.0, 126);
    const int layout[rows][cols] = {{1, 1, -1, 4, 2, 2, 0},
                                    {0, 3, -1, 4, 4, 2, 5},
                                    {0, 3, 3, 1, 4, 5, 5},
                                    {2, 2, 3, 1, 1, 0, 5}};
    QPainterPath frame;
    frame.addRoundedRect(QRectF(origin - QPointF(6, 6), QSizeF(cols * cell + 12, rows * cell + 12)),
                         8, 8);
    p.drawImage(0, 0, softShadow(frame.translated(0, 8), QSize(W, H), QColor(0, 0, 0, 200), 12));
    p.setPen(QPen(QColor(93, 166, 255, 160), 2));
    p.setBrush(QColor(8, 12, 26));
    p.drawPath(frame);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (layout[r][c] >= 0)
                p.drawImage(origin + QPointF(c * cell, r * cell),
                            blockImage(0, layout[r][c], cell));
    // The falling block with a motion trail above its landing place.
    const QPointF falling = origin + QPointF(2 * cell, -cell * 0.45);
    for (int i = 3; i >= 1; --i) {
        p.setOpacity(0.1 * (4 - i));
        p.drawImage(falling - QPointF(0, i * 6), blockImage(0, 3, cell));
    }
    p.setOpacity(1);
    p.drawImage(falling, blockImage(0, 3, cell));
    // Sparkles where a group has just been cleared.
    ArtRandom random(9);
    for (int i = 0; i < 14; ++i) {
        const QPointF at = origin + QPointF(2.5 * cell + random.range(-16, 16),
                                            1.5 * cell + random.range(-14, 14));
        QRadialGradient s(at, random.range(3, 8));
        s.setColorAt(0, QColor(255, 255, 255, 230));
        s.setColorAt(1, QColor(160, 210, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(s);
        p.drawEllipse(at, 8, 8);
    }
    // Reflection of the board on a glossy floor.
    const QRectF boardRect(origin, QSizeF(cols * cell, rows * cell));
    QImage reflection = image.copy(boardRect.toRect()).mirrored(false, true);
    p.setOpacity(0.22);
    p.drawImage(QPointF(origin.x(), boardRect.bottom() + 14), reflection);
    p.setOpacity(1);
    QLinearGradient fade(0, boardRect.bottom() + 14, 0, H);
    fade.setColorAt(0, QColor(4, 6, 16, 60));
    fade.setColorAt(0.35, QColor(4, 6, 16, 255));
    p.fillRect(QRectF(0, boardRect.bottom() + 14, W, H), fade);
    p.end();
    return opaque(image);
}

} // namespace tavro::art
