#include "DisplayArt.h"

#include "ImageFx.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace tavro::art {

namespace {

constexpr int kCellWidth = 18;
constexpr int kCellHeight = 27;

// Segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
constexpr std::array<unsigned, 11> kDigitSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110, 0b1101101,
    0b1111101, 0b0000111, 0b1111111, 0b1101111, 0b0000000,
};

// A segment is a long hexagon: a bar with pointed (bevelled) ends, so that
// neighbouring segments meet along a diagonal gap. Coordinates are in cell
// pixels at 1x; a pixel belongs to a segment when its centre lies inside.
struct Segment {
    QPointF from, to; // ends of the centre line
};

// Lit bars are 4 pixels thick at 1x; unlit ones only 2, so that the lit
// figure stands out and an unlit segment reads as a faint trace.
constexpr double kLitHalfThickness = 2.1;
constexpr double kUnlitHalfThickness = 1.05;
constexpr double kGap = 1.0; // cut from each end, leaving a clear gap

bool insideSegment(const Segment& s, QPointF at, double halfThickness) {
    const bool horizontal = s.from.y() == s.to.y();
    const double along = horizontal ? at.x() : at.y();
    const double across = horizontal ? at.y() - s.from.y() : at.x() - s.from.x();
    const double start = (horizontal ? s.from.x() : s.from.y()) + kGap;
    const double end = (horizontal ? s.to.x() : s.to.y()) - kGap;
    // Distance from the nearer end bounds the width: 45-degree bevels.
    const double room = std::min(along - start, end - along);
    return room > 0 && std::abs(across) < std::min(halfThickness, room);
}

std::array<Segment, 7> segments() {
    constexpr double left = 3, right = 15, top = 2, middle = 13, bottom = 24;
    return {{{{left, top}, {right, top}},
             {{right, top}, {right, middle}},
             {{right, middle}, {right, bottom}},
             {{left, bottom}, {right, bottom}},
             {{left, middle}, {left, bottom}},
             {{left, top}, {left, middle}},
             {{left, middle}, {right, middle}}}};
}

void drawDigit(QImage& image, int cell, unsigned segments_, int scale) {
    const auto all = segments();
    const int width = kCellWidth * scale;
    for (int y = 0; y < kCellHeight * scale; ++y)
        for (int x = 1; x < width - 1; ++x) {
            const QPointF at((x + 0.5) / scale, (y + 0.5) / scale);
            for (int bit = 0; bit < 7; ++bit) {
                const bool lit = segments_ >> bit & 1u;
                if (insideSegment(all[bit], at, lit ? kLitHalfThickness : kUnlitHalfThickness))
                    image.setPixel(cell * width + x, y,
                                   lit ? kSegmentLit.rgb() : kSegmentUnlit.rgb());
            }
        }
}

// Flags are drawn at 8x and scaled down.
constexpr int FW = 256, FH = 160;

void stripes(QPainter& p, const std::vector<QColor>& colours, bool vertical,
             const std::vector<double>& weights = {}) {
    double total = 0;
    for (size_t i = 0; i < colours.size(); ++i)
        total += weights.empty() ? 1 : weights[i];
    double at = 0;
    for (size_t i = 0; i < colours.size(); ++i) {
        const double part = (weights.empty() ? 1 : weights[i]) / total;
        const QRectF band = vertical ? QRectF(at * FW, 0, part * FW + 1, FH)
                                     : QRectF(0, at * FH, FW, part * FH + 1);
        p.fillRect(band, colours[i]);
        at += part;
    }
}

void unionFlag(QPainter& p) {
    p.fillRect(QRectF(0, 0, FW, FH), QColor(1, 33, 105));
    const QColor white(255, 255, 255), red(200, 16, 46);
    p.setPen(QPen(white, 34));
    p.drawLine(QPointF(0, 0), QPointF(FW, FH));
    p.drawLine(QPointF(FW, 0), QPointF(0, FH));
    p.setPen(QPen(red, 12));
    p.drawLine(QPointF(0, 0), QPointF(FW, FH));
    p.drawLine(QPointF(FW, 0), QPointF(0, FH));
    p.fillRect(QRectF(FW / 2.0 - 26, 0, 52, FH), white);
    p.fillRect(QRectF(0, FH / 2.0 - 26, FW, 52), white);
    p.fillRect(QRectF(FW / 2.0 - 15, 0, 30, FH), red);
    p.fillRect(QRectF(0, FH / 2.0 - 15, FW, 30), red);
}

void spanishFlag(QPainter& p) {
    stripes(p, {QColor(170, 21, 27), QColor(241, 191, 0), QColor(170, 21, 27)}, false, {1, 2, 1});
    // A simplified coat of arms: a crowned shield beside the hoist.
    QPainterPath shield;
    shield.moveTo(62, 58);
    shield.lineTo(98, 58);
    shield.lineTo(98, 92);
    shield.quadTo(98, 108, 80, 110);
    shield.quadTo(62, 108, 62, 92);
    shield.closeSubpath();
    p.setPen(QPen(QColor(120, 60, 20), 3));
    p.setBrush(QColor(200, 40, 40));
    p.drawPath(shield);
    p.fillRect(QRectF(80, 60, 17, 24), QColor(240, 210, 120));
    p.setBrush(QColor(200, 150, 20));
    p.drawRect(QRectF(64, 46, 32, 10));
}

void decorateFlag(QPainter& p) {
    // A gentle wave of light across the cloth and a crisp dark rim.
    QLinearGradient wave(0, 0, FW, 0);
    for (int i = 0; i <= 8; ++i) {
        const double shade = std::sin(i * std::numbers::pi / 2.5);
        wave.setColorAt(i / 8.0, shade > 0 ? QColor(255, 255, 255, static_cast<int>(50 * shade))
                                           : QColor(0, 0, 0, static_cast<int>(-60 * shade)));
    }
    p.fillRect(QRectF(0, 0, FW, FH), wave);
    QLinearGradient sheen(0, 0, 0, FH);
    sheen.setColorAt(0, QColor(255, 255, 255, 60));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    sheen.setColorAt(1, QColor(0, 0, 0, 50));
    p.fillRect(QRectF(0, 0, FW, FH), sheen);
    p.setPen(QPen(QColor(20, 24, 36), 12));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, FW - 12, FH - 12));
}

} // namespace

QImage digitStrip(int scale) {
    QImage image(kCellWidth * 11 * scale, kCellHeight * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int cell = 0; cell < 11; ++cell)
        drawDigit(image, cell, kDigitSegments[cell], scale);
    return image;
}

QImage tickMark(int scale) {
    const double s = scale;
    QImage image(9 * scale, 9 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(4, 16, 48), 1.9 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF({QPointF(1.6, 4.6) * s, QPointF(3.7, 6.8) * s, QPointF(7.6, 1.9) * s}));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage flagPicture(int languageId, int scale) {
    QImage image(FW, FH, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (languageId) {
    case 0:
        stripes(p, {QColor(0, 0, 0), QColor(221, 0, 0), QColor(255, 206, 0)}, false);
        break;
    case 1:
        unionFlag(p);
        break;
    case 2:
        spanishFlag(p);
        break;
    case 3:
        stripes(p, {QColor(0, 146, 70), QColor(244, 245, 240), QColor(206, 43, 55)}, true);
        break;
    default:
        stripes(p, {QColor(0, 35, 149), QColor(244, 245, 240), QColor(237, 41, 57)}, true);
        break;
    }
    decorateFlag(p);
    p.end();
    return opaque(
        image.scaled(32 * scale, 20 * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace tavro::art
