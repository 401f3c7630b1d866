#include "BlockArt.h"

#include "ArtRandom.h"
#include "BlockPalette.h"
#include "BlockShapes.h"
#include "BlockSymbols.h"
#include "ImageFx.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace tavro::art {

namespace {

// Blocks are drawn on a 200 x 200 canvas and scaled down for smooth edges.
constexpr double S = 200;

using CellPainter = std::function<void(QPainter&, int type, const Palette&)>;

QPointF centre() {
    return {S / 2, S / 2};
}

void backdrop(QPainter& p, const QColor& top = QColor(34, 38, 54),
              const QColor& bottom = QColor(16, 18, 27)) {
    QLinearGradient g(0, 0, 0, S);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, S, S), g);
    // A faint bevel on the cell edge gives the board a quiet grid.
    p.fillRect(QRectF(0, 0, S, 3), lighter(top, 0.10));
    p.fillRect(QRectF(0, 0, 3, S), lighter(top, 0.06));
    p.fillRect(QRectF(0, S - 4, S, 4), darker(bottom, 0.45));
    p.fillRect(QRectF(S - 4, 0, 4, S), darker(bottom, 0.45));
}

void shadow(QPainter& p, const QPainterPath& path, QPointF offset = {6, 10}, int radius = 14,
            int alpha = 170) {
    p.drawImage(0, 0,
                softShadow(path.translated(offset), QSize(S, S), QColor(0, 0, 0, alpha), radius));
}

void gloss(QPainter& p, const QRectF& area, int alpha = 210) {
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255, alpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(area);
}

void sparkle(QPainter& p, QPointF at, double size, int alpha = 230) {
    QRadialGradient g(at, size);
    g.setColorAt(0, QColor(255, 255, 255, alpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, size, size);
    p.setBrush(QColor(255, 255, 255, alpha));
    QPolygonF star = starPolygon(4, QRectF(at.x() - size, at.y() - size, size * 2, size * 2), 0.16);
    p.drawPolygon(star);
}

void sphere(QPainter& p, QPointF c, double r, const QColor& base) {
    const QPointF light = c + QPointF(-r * 0.35, -r * 0.45);
    QRadialGradient body(light, r * 1.45, light);
    body.setColorAt(0, lighter(base, 0.55));
    body.setColorAt(0.3, base);
    body.setColorAt(0.8, darker(base, 0.45));
    body.setColorAt(1, darker(base, 0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(c, r, r);
    // Light bounced from below.
    QRadialGradient rim(c + QPointF(0, r * 0.75), r * 0.7);
    rim.setColorAt(0, withAlpha(lighter(base, 0.35), 120));
    rim.setColorAt(1, withAlpha(base, 0));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    gloss(p, QRectF(c.x() - r * 0.62, c.y() - r * 0.92, r * 1.24, r * 0.8), 200);
    sparkle(p, c + QPointF(-r * 0.38, -r * 0.5), r * 0.14, 200);
}

// ----- set 0: glossy spheres -------------------------------------------------
void glossySphere(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    QPainterPath ball;
    ball.addEllipse(centre(), 80, 80);
    shadow(p, ball);
    sphere(p, centre() + QPointF(-2, -3), 80, colours[type]);
}

// ----- set 1: bevelled tiles -------------------------------------------------
void bevelTile(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QRectF outer(8, 8, S - 18, S - 18);
    const QRectF inner = outer.adjusted(24, 24, -24, -24);
    QPainterPath o;
    o.addRoundedRect(outer, 14, 14);
    shadow(p, o, {4, 6}, 8, 150);
    p.setPen(Qt::NoPen);
    auto face = [&](std::initializer_list<QPointF> pts, const QColor& c) {
        p.setBrush(c);
        p.drawPolygon(QPolygonF(pts));
    };
    p.save();
    p.setClipPath(o);
    face({outer.topLeft(), outer.topRight(), inner.topRight(), inner.topLeft()},
         lighter(base, 0.45));
    face({outer.topLeft(), inner.topLeft(), inner.bottomLeft(), outer.bottomLeft()},
         lighter(base, 0.22));
    face({outer.topRight(), outer.bottomRight(), inner.bottomRight(), inner.topRight()},
         darker(base, 0.3));
    face({outer.bottomLeft(), inner.bottomLeft(), inner.bottomRight(), outer.bottomRight()},
         darker(base, 0.48));
    p.restore();
    QLinearGradient g(inner.topLeft(), inner.bottomRight());
    g.setColorAt(0, lighter(base, 0.18));
    g.setColorAt(1, darker(base, 0.12));
    p.setBrush(g);
    p.drawRect(inner);
    // A soft diagonal sheen across the face.
    QLinearGradient sheen(inner.topLeft(), inner.bottomRight());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 20));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRect(inner);
    p.setPen(QPen(darker(base, 0.55), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer, 14, 14);
}

// ----- set 2: gems, one cut per type -------------------------------------------
QPolygonF gemOutline(int type) {
    const QRectF box(22, 22, S - 44, S - 44);
    switch (type) {
    case 0:
        return regularPolygon(10, box, 90);
    case 1:
        return cutRectangle(box.adjusted(6, 14, -6, -14), 30);
    case 2:
        return regularPolygon(3, box.adjusted(-10, -2, 10, 18), 90);
    case 3:
        return regularPolygon(4, box.adjusted(8, -6, -8, 6), 90);
    case 4:
        return regularPolygon(6, box, 0);
    default:
        return regularPolygon(5, box.adjusted(-2, 0, 2, 6), 90);
    }
}

QPointF centroid(const QPolygonF& poly) {
    QPointF sum;
    for (const QPointF& pt : poly)
        sum += pt;
    return sum / poly.size();
}

void gem(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QPolygonF outer = gemOutline(type);
    const QPointF c = centroid(outer);
    QPolygonF table;
    for (const QPointF& pt : outer)
        table << c + (pt - c) * 0.5;
    QPainterPath outline;
    outline.addPolygon(outer);
    outline.closeSubpath();
    shadow(p, outline, {5, 9}, 12, 180);
    const QPointF lightDir(-0.55, -0.83);
    p.setPen(QPen(withAlpha(lighter(base, 0.6), 120), 1.5));
    for (int i = 0; i < outer.size(); ++i) {
        const QPointF a = outer[i], b = outer[(i + 1) % outer.size()];
        const QPointF mid = (a + b) / 2 - c;
        const double len = std::hypot(mid.x(), mid.y());
        const double lit = (mid.x() * lightDir.x() + mid.y() * lightDir.y()) / len;
        const QColor shade = lit > 0 ? lighter(base, 0.45 * lit) : darker(base, -0.5 * lit);
        p.setBrush(shade);
        p.drawPolygon(QPolygonF({a, b, table[(i + 1) % outer.size()], table[i]}));
        // The split line of each crown facet catches light on one side.
        p.setBrush(withAlpha(lit > 0 ? lighter(shade, 0.25) : darker(shade, 0.15), 160));
        p.drawPolygon(
            QPolygonF({a, (a + b) / 2, (table[i] + table[(i + 1) % outer.size()]) / 2, table[i]}));
    }
    QLinearGradient face(table.boundingRect().topLeft(), table.boundingRect().bottomRight());
    face.setColorAt(0, lighter(base, 0.5));
    face.setColorAt(0.55, base);
    face.setColorAt(1, darker(base, 0.15));
    p.setBrush(face);
    p.drawPolygon(table);
    p.setPen(QPen(darker(base, 0.6), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(outer);
    sparkle(p, table.boundingRect().topLeft() + QPointF(8, 10), 20, 240);
    sparkle(p, outer.boundingRect().bottomRight() - QPointF(38, 30), 9, 170);
}

// ----- set 3: glass marbles ---------------------------------------------------
void marble(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QPointF c = centre() + QPointF(-2, -3);
    const double r = 78;
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    shadow(p, ball);
    QRadialGradient glass(c + QPointF(r * 0.2, r * 0.3), r * 1.2);
    glass.setColorAt(0, lighter(base, 0.25));
    glass.setColorAt(0.6, darker(base, 0.35));
    glass.setColorAt(1, darker(base, 0.75));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawPath(ball);
    p.save();
    p.setClipPath(ball);
    // The coloured vein twisting through the glass.
    for (int band = 0; band < 3; ++band) {
        QPainterPath vein;
        const double shift = band * 38 - 38;
        vein.moveTo(c.x() - r, c.y() + shift + 30);
        vein.cubicTo(c.x() - r * 0.3, c.y() + shift - 50, c.x() + r * 0.3, c.y() + shift + 70,
                     c.x() + r, c.y() + shift - 20);
        p.setPen(QPen(withAlpha(lighter(base, 0.55 - band * 0.12), 170), 16 - band * 3,
                      Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(vein);
        p.setPen(QPen(QColor(255, 255, 255, 90), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(vein);
    }
    // Light focused through the glass onto its lower right.
    QRadialGradient caustic(c + QPointF(r * 0.45, r * 0.55), r * 0.5);
    caustic.setColorAt(0, withAlpha(lighter(base, 0.7), 170));
    caustic.setColorAt(1, withAlpha(base, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(caustic);
    p.drawPath(ball);
    p.restore();
    p.setPen(QPen(withAlpha(darker(base, 0.7), 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ball);
    gloss(p, QRectF(c.x() - r * 0.55, c.y() - r * 0.88, r * 1.1, r * 0.62), 220);
    sparkle(p, c + QPointF(-r * 0.42, -r * 0.42), 13, 230);
}

// ----- set 4: wrapped peppermint candies ---------------------------------------
void candy(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QPointF c = centre();
    const double r = 56;
    QPainterPath body;
    body.addEllipse(c, r, r);
    QPainterPath wrapLeft, wrapRight;
    wrapLeft.moveTo(c.x() - r + 8, c.y());
    wrapLeft.lineTo(c.x() - r - 38, c.y() - 34);
    wrapLeft.quadTo(c.x() - r - 26, c.y(), c.x() - r - 38, c.y() + 34);
    wrapLeft.closeSubpath();
    QTransform mirror;
    mirror.translate(S, 0);
    mirror.scale(-1, 1);
    wrapRight = mirror.map(wrapLeft);
    shadow(p, body.united(wrapLeft).united(wrapRight), {5, 9}, 12, 170);
    for (const QPainterPath& wrap : {wrapLeft, wrapRight}) {
        QLinearGradient g(0, c.y() - 34, 0, c.y() + 34);
        g.setColorAt(0, lighter(base, 0.55));
        g.setColorAt(0.5, lighter(base, 0.2));
        g.setColorAt(1, darker(base, 0.3));
        p.setPen(QPen(darker(base, 0.45), 2));
        p.setBrush(g);
        p.drawPath(wrap);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(lighter(base, 0.85));
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    for (int i = 0; i < 6; ++i) {
        QPainterPath swirl;
        const double a0 = i * 60.0;
        swirl.moveTo(c);
        for (int s = 0; s <= 12; ++s) {
            const double t = s / 12.0;
            const double a = (a0 + t * 70) * std::numbers::pi / 180;
            swirl.lineTo(c + QPointF(std::cos(a), std::sin(a)) * (r * 1.1 * t));
        }
        for (int s = 12; s >= 0; --s) {
            const double t = s / 12.0;
            const double a = (a0 + 30 + t * 70) * std::numbers::pi / 180;
            swirl.lineTo(c + QPointF(std::cos(a), std::sin(a)) * (r * 1.1 * t));
        }
        p.setBrush(base);
        p.drawPath(swirl);
    }
    QRadialGradient shade(c + QPointF(-r * 0.3, -r * 0.35), r * 1.5);
    shade.setColorAt(0, QColor(255, 255, 255, 40));
    shade.setColorAt(0.6, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 150));
    p.setBrush(shade);
    p.drawPath(body);
    p.restore();
    gloss(p, QRectF(c.x() - r * 0.6, c.y() - r * 0.9, r * 1.2, r * 0.7), 200);
}

// ----- set 5: symbols on tiles ----------------------------------------------
Shape typeShape(int type) {
    static const std::array<Shape, 6> shapes = {Shape::Circle, Shape::Square,  Shape::Triangle,
                                                Shape::Star,   Shape::Diamond, Shape::Heart};
    return shapes[type % 6];
}

void symbolTile(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    QPainterPath tile;
    tile.addRoundedRect(QRectF(10, 10, S - 22, S - 22), 30, 30);
    shadow(p, tile, {4, 7}, 9, 160);
    QLinearGradient g(0, 10, 0, S - 12);
    g.setColorAt(0, lighter(base, 0.25));
    g.setColorAt(1, darker(base, 0.35));
    p.setPen(QPen(darker(base, 0.55), 3));
    p.setBrush(g);
    p.drawPath(tile);
    p.setPen(QPen(withAlpha(lighter(base, 0.6), 150), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(16, 16, S - 34, S - 34), 25, 25);
    const QPainterPath symbol = shapePath(typeShape(type), QRectF(48, 46, S - 96, S - 96));
    p.drawImage(0, 0, softShadow(symbol.translated(3, 6), QSize(S, S), QColor(0, 0, 0, 150), 6));
    QLinearGradient sg(0, 46, 0, S - 50);
    sg.setColorAt(0, QColor(255, 255, 255));
    sg.setColorAt(1, QColor(222, 226, 236));
    p.setPen(QPen(QColor(255, 255, 255, 120), 2));
    p.setBrush(sg);
    p.drawPath(symbol);
    gloss(p, QRectF(22, 14, S - 44, 70), 90);
}

// ----- set 6: neon signs ------------------------------------------------------
void neon(QPainter& p, int type, const Palette& colours) {
    backdrop(p, QColor(22, 20, 34), QColor(10, 9, 16));
    const QColor base = lighter(colours[type], 0.2);
    static const std::array<Shape, 6> shapes = {Shape::Circle, Shape::Square, Shape::Triangle,
                                                Shape::Cross,  Shape::Star,   Shape::Hexagon};
    const QPainterPath outline = shapePath(shapes[type], QRectF(42, 42, S - 84, S - 84));
    // Glow: the tube blurred wide, then the coloured tube, then a hot white core.
    QImage glow(S, S, QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::transparent);
    {
        QPainter g(&glow);
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(withAlpha(base, 255), 26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPath(outline);
    }
    blur(glow, 22);
    p.drawImage(0, 0, glow);
    p.drawImage(0, 0, glow);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(base, 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(outline);
    p.setPen(QPen(lighter(base, 0.75), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(outline);
}

// ----- set 7: isometric cubes ---------------------------------------------------
void cube(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QPolygonF hex = regularPolygon(6, QRectF(14, 10, S - 28, S - 24), 90);
    const QPointF mid = centroid(hex) + QPointF(0, 4);
    QPainterPath outline;
    outline.addPolygon(hex);
    shadow(p, outline, {5, 8}, 10, 170);
    p.setPen(Qt::NoPen);
    auto face = [&](QPolygonF poly, const QColor& from, const QColor& to) {
        QLinearGradient g(poly.boundingRect().topLeft(), poly.boundingRect().bottomRight());
        g.setColorAt(0, from);
        g.setColorAt(1, to);
        p.setBrush(g);
        p.drawPolygon(poly);
    };
    face({hex[0], hex[1], mid, hex[5]}, lighter(base, 0.55), lighter(base, 0.25));
    face({hex[1], hex[2], hex[3], mid}, base, darker(base, 0.15));
    face({hex[5], mid, hex[3], hex[4]}, darker(base, 0.3), darker(base, 0.5));
    p.setPen(
        QPen(withAlpha(lighter(base, 0.8), 200), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(hex[1], mid);
    p.drawLine(mid, hex[5]);
    p.setPen(QPen(withAlpha(lighter(base, 0.4), 140), 3));
    p.drawLine(mid, hex[3]);
    p.setPen(QPen(darker(base, 0.65), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(hex);
    sparkle(p, hex[0] + QPointF(0, 22), 11, 200);
}

// ----- set 8: fruit -----------------------------------------------------------
void leaf(QPainter& p, QPointF from, QPointF to, double width) {
    const QPointF d = to - from;
    const QPointF n(-d.y() * width, d.x() * width);
    QPainterPath path;
    path.moveTo(from);
    path.quadTo((from + to) / 2 + n, to);
    path.quadTo((from + to) / 2 - n, from);
    QLinearGradient g(from, to);
    g.setColorAt(0, QColor(40, 120, 40));
    g.setColorAt(1, QColor(120, 200, 70));
    p.setPen(QPen(QColor(25, 80, 25), 2));
    p.setBrush(g);
    p.drawPath(path);
    p.setPen(QPen(QColor(30, 90, 30, 180), 2));
    p.drawLine(from, (from + to) / 2 + (to - from) * 0.3);
}

void stem(QPainter& p, QPointF from, QPointF control, QPointF to, double width = 7) {
    QPainterPath path;
    path.moveTo(from);
    path.quadTo(control, to);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(92, 62, 30), width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.setPen(QPen(QColor(150, 110, 60), width * 0.35, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

void fruitShadow(QPainter& p, QPointF at, double rx) {
    QPainterPath ellipse;
    ellipse.addEllipse(at, rx, rx * 0.22);
    shadow(p, ellipse, {0, 0}, 10, 190);
}

void cherries(QPainter& p) {
    const QColor red(205, 22, 40);
    fruitShadow(p, {104, 178}, 70);
    stem(p, {70, 118}, {80, 60}, {118, 30});
    stem(p, {136, 128}, {126, 70}, {118, 30});
    leaf(p, {118, 32}, {162, 20}, 0.35);
    sphere(p, {70, 136}, 40, red);
    sphere(p, {136, 144}, 38, darker(red, 0.08));
}

void apple(QPainter& p) {
    const QColor green(92, 186, 48);
    fruitShadow(p, {100, 180}, 70);
    QPainterPath body;
    body.moveTo(100, 62);
    body.cubicTo(140, 36, 186, 70, 176, 118);
    body.cubicTo(168, 160, 140, 186, 118, 178);
    body.cubicTo(108, 174, 92, 174, 82, 178);
    body.cubicTo(60, 186, 32, 160, 24, 118);
    body.cubicTo(14, 70, 60, 36, 100, 62);
    QRadialGradient g(QPointF(70, 90), 120, QPointF(66, 84));
    g.setColorAt(0, lighter(green, 0.55));
    g.setColorAt(0.35, green);
    g.setColorAt(0.85, darker(green, 0.45));
    g.setColorAt(1, darker(green, 0.6));
    p.setPen(QPen(darker(green, 0.6), 2));
    p.setBrush(g);
    p.drawPath(body);
    stem(p, {100, 66}, {98, 44}, {108, 24}, 8);
    leaf(p, {106, 44}, {150, 30}, 0.32);
    gloss(p, QRectF(48, 66, 50, 34), 170);
    sparkle(p, {64, 82}, 9, 200);
}

void blueberries(QPainter& p) {
    const QColor blue(52, 82, 200);
    fruitShadow(p, {100, 176}, 74);
    const std::array<QPointF, 3> at = {QPointF(66, 128), QPointF(136, 126), QPointF(100, 80)};
    const std::array<double, 3> radius = {40, 40, 42};
    for (int i = 0; i < 3; ++i) {
        sphere(p, at[i], radius[i], blue);
        QPolygonF crown =
            starPolygon(5, QRectF(at[i].x() - 11, at[i].y() - radius[i] * 0.1 - 11, 22, 22), 0.45);
        p.setPen(Qt::NoPen);
        p.setBrush(darker(blue, 0.6));
        p.drawPolygon(crown);
    }
}

void lemon(QPainter& p) {
    const QColor yellow(250, 214, 40);
    fruitShadow(p, {100, 172}, 72);
    QPainterPath body;
    body.moveTo(20, 104);
    body.cubicTo(40, 40, 160, 40, 180, 100);
    body.cubicTo(160, 164, 40, 166, 20, 104);
    QRadialGradient g(QPointF(80, 80), 120, QPointF(74, 74));
    g.setColorAt(0, lighter(yellow, 0.6));
    g.setColorAt(0.4, yellow);
    g.setColorAt(1, darker(yellow, 0.5));
    p.setPen(QPen(darker(yellow, 0.55), 2));
    p.setBrush(g);
    p.drawPath(body);
    // Pores of the peel.
    ArtRandom random(7);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(darker(yellow, 0.3), 70));
    for (int i = 0; i < 40; ++i) {
        const QPointF dot(random.range(40, 160), random.range(70, 138));
        if (body.contains(dot))
            p.drawEllipse(dot, 2.2, 2.2);
    }
    leaf(p, {170, 92}, {188, 56}, 0.35);
    gloss(p, QRectF(50, 62, 70, 30), 170);
}

void grapes(QPainter& p) {
    const QColor purple(128, 52, 170);
    fruitShadow(p, {100, 184}, 50);
    const std::array<QPointF, 7> at = {QPointF(66, 78),       QPointF(104, 74),  QPointF(142, 80),
                                       QPointF(84, 112),      QPointF(122, 112), QPointF(102, 146),
                                       QPointF(102, 176 - 30)};
    stem(p, {104, 56}, {106, 34}, {118, 18});
    leaf(p, {106, 46}, {62, 26}, 0.36);
    for (int i = 0; i < 6; ++i)
        sphere(p, at[i], 26, i % 2 ? purple : darker(purple, 0.1));
}

void orange(QPainter& p) {
    const QColor tone(246, 136, 24);
    fruitShadow(p, {100, 180}, 70);
    sphere(p, {100, 110}, 70, tone);
    ArtRandom random(11);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(darker(tone, 0.4), 60));
    for (int i = 0; i < 60; ++i) {
        const double a = random.range(0, 2 * std::numbers::pi), d = std::sqrt(random.unit()) * 62;
        p.drawEllipse(QPointF(100 + std::cos(a) * d, 110 + std::sin(a) * d), 2, 2);
    }
    p.setBrush(QColor(80, 120, 40));
    p.drawEllipse(QPointF(100, 44), 7, 5);
    leaf(p, {102, 44}, {146, 26}, 0.34);
}

void fruit(QPainter& p, int type, const Palette&) {
    backdrop(p, QColor(38, 34, 44), QColor(19, 17, 24));
    switch (type) {
    case 0:
        cherries(p);
        break;
    case 1:
        apple(p);
        break;
    case 2:
        blueberries(p);
        break;
    case 3:
        lemon(p);
        break;
    case 4:
        grapes(p);
        break;
    default:
        orange(p);
        break;
    }
}

// ----- set 9: soap bubbles ----------------------------------------------------
void bubble(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QPointF c = centre();
    const double r = 80;
    QRadialGradient body(c, r);
    // Tinted enough in the middle that the bubble's colour reads at a glance.
    body.setColorAt(0, withAlpha(base, 150));
    body.setColorAt(0.7, withAlpha(base, 175));
    body.setColorAt(0.92, withAlpha(lighter(base, 0.3), 235));
    body.setColorAt(1, withAlpha(lighter(base, 0.6), 255));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(c, r, r);
    // Thin-film shimmer in a second hue.
    QConicalGradient film(c, 30);
    const QColor other = colours[(type + 2) % 6];
    film.setColorAt(0, withAlpha(other, 0));
    film.setColorAt(0.25, withAlpha(lighter(other, 0.3), 120));
    film.setColorAt(0.5, withAlpha(other, 0));
    film.setColorAt(1, withAlpha(other, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(film), 10));
    p.drawEllipse(c, r - 6, r - 6);
    p.setPen(Qt::NoPen);
    QPainterPath crescent;
    crescent.addEllipse(c + QPointF(-6, -6), r - 12, r - 12);
    QPainterPath inner;
    inner.addEllipse(c + QPointF(4, 6), r - 16, r - 16);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawPath(crescent.subtracted(inner));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QRectF(c.x() - 48, c.y() - 52, 30, 18));
    p.drawEllipse(c + QPointF(42, 44), 6, 6);
}

// ----- set 10: carved rune stones -----------------------------------------------
QPainterPath pebble(int type) {
    ArtRandom random(100 + type);
    QPainterPath path;
    const int corners = 9;
    QPolygonF pts;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * std::numbers::pi * i / corners;
        const double r = random.range(72, 84);
        pts << QPointF(100 + std::cos(a) * r, 100 + std::sin(a) * r * 0.92);
    }
    path.moveTo((pts[0] + pts[1]) / 2);
    for (int i = 1; i <= corners; ++i)
        path.quadTo(pts[i % corners], (pts[i % corners] + pts[(i + 1) % corners]) / 2);
    path.closeSubpath();
    return path;
}

QPainterPath runeGlyph(int type) {
    static const std::array<std::vector<std::vector<QPointF>>, 6> strokes = {{
        {{{0.5, 0.85}, {0.5, 0.15}}, {{0.26, 0.4}, {0.5, 0.15}, {0.74, 0.4}}},
        {{{0.28, 0.2}, {0.72, 0.8}}, {{0.72, 0.2}, {0.28, 0.8}}},
        {{{0.5, 0.14}, {0.78, 0.5}, {0.5, 0.86}, {0.22, 0.5}, {0.5, 0.14}}},
        {{{0.36, 0.15}, {0.36, 0.85}}, {{0.36, 0.42}, {0.7, 0.2}}, {{0.36, 0.62}, {0.7, 0.42}}},
        {{{0.5, 0.86}, {0.5, 0.14}}, {{0.5, 0.46}, {0.24, 0.18}}, {{0.5, 0.46}, {0.76, 0.18}}},
        {{{0.64, 0.14}, {0.36, 0.42}, {0.64, 0.58}, {0.36, 0.86}}},
    }};
    QPainterPath path;
    for (const auto& stroke : strokes[type]) {
        path.moveTo(QPointF(40, 40) + stroke[0] * 120);
        for (size_t i = 1; i < stroke.size(); ++i)
            path.lineTo(QPointF(40, 40) + stroke[i] * 120);
    }
    return path;
}

void runeStone(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = mix(colours[type], QColor(120, 120, 120), 0.25);
    const QPainterPath stone = pebble(type);
    shadow(p, stone, {5, 9}, 12, 180);
    // Grainy stone surface tinted in the type colour.
    QImage grain(S, S, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double n = fractalNoise(x / 18.0, y / 18.0, 4, 40 + type);
            const QColor c =
                n > 0.5 ? lighter(base, (n - 0.5) * 0.6) : darker(base, (0.5 - n) * 0.7);
            grain.setPixel(x, y, c.rgb());
        }
    p.save();
    p.setClipPath(stone);
    p.drawImage(0, 0, grain);
    QRadialGradient shade(QPointF(70, 62), 160);
    shade.setColorAt(0, QColor(255, 255, 255, 70));
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 170));
    p.fillRect(QRectF(0, 0, S, S), shade);
    p.restore();
    p.setPen(QPen(darker(base, 0.6), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stone);
    // Carved groove: light lower edge, dark cut, glowing paint inside.
    const QPainterPath glyph = runeGlyph(type);
    auto strokeGlyph = [&](QPointF offset, const QColor& colour, double width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(glyph.translated(offset));
    };
    strokeGlyph({2, 3}, withAlpha(lighter(base, 0.6), 200), 18);
    strokeGlyph({0, 0}, darker(base, 0.75), 17);
    strokeGlyph({0, 1}, lighter(colours[type], 0.55), 8);
}

// ----- set 11: jelly squares ----------------------------------------------------
void jelly(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QRectF body(16, 20, S - 32, S - 36);
    QPainterPath path;
    path.addRoundedRect(body, 46, 46);
    shadow(p, path, {4, 8}, 12, 170);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, darker(base, 0.15));
    g.setColorAt(0.6, base);
    g.setColorAt(1, lighter(base, 0.35));
    p.setPen(QPen(darker(base, 0.5), 3));
    p.setBrush(g);
    p.drawPath(path);
    // Light gathering in the lower part of the translucent jelly.
    QRadialGradient glow(QPointF(100, 150), 70);
    glow.setColorAt(0, withAlpha(lighter(base, 0.65), 200));
    glow.setColorAt(1, withAlpha(base, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawPath(path);
    QPainterPath band;
    band.addRoundedRect(QRectF(34, 30, S - 68, 52), 26, 26);
    QLinearGradient bg(0, 30, 0, 82);
    bg.setColorAt(0, QColor(255, 255, 255, 210));
    bg.setColorAt(1, QColor(255, 255, 255, 20));
    p.setBrush(bg);
    p.drawPath(band);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(150, 150), 7, 7);
}

// ----- set 12: enamel coins -----------------------------------------------------
void coin(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    const QPointF c = centre();
    QPainterPath disc;
    disc.addEllipse(c, 82, 82);
    shadow(p, disc);
    QConicalGradient metal(c, 45);
    const QColor gold(232, 190, 90), pale(255, 238, 170), deep(150, 104, 30);
    metal.setColorAt(0, pale);
    metal.setColorAt(0.25, deep);
    metal.setColorAt(0.5, pale);
    metal.setColorAt(0.75, deep);
    metal.setColorAt(1, pale);
    p.setPen(QPen(darker(deep, 0.4), 2));
    p.setBrush(metal);
    p.drawPath(disc);
    QRadialGradient enamel(c + QPointF(-20, -24), 90);
    enamel.setColorAt(0, lighter(base, 0.35));
    enamel.setColorAt(0.6, base);
    enamel.setColorAt(1, darker(base, 0.5));
    p.setPen(QPen(darker(gold, 0.5), 3));
    p.setBrush(enamel);
    p.drawEllipse(c, 62, 62);
    // Ring of dots and a raised star in the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(pale, 200));
    for (int i = 0; i < 16; ++i) {
        const double a = 2 * std::numbers::pi * i / 16;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 52, 3.2, 3.2);
    }
    // A small star, so that the enamel's colour fills the middle of the coin.
    const QPolygonF star = starPolygon(5, QRectF(c.x() - 22, c.y() - 21, 44, 44), 0.45);
    p.setBrush(withAlpha(QColor(0, 0, 0), 110));
    p.drawPolygon(star.translated(2, 4));
    QLinearGradient sg(c + QPointF(-30, -30), c + QPointF(30, 30));
    sg.setColorAt(0, pale);
    sg.setColorAt(1, gold);
    p.setBrush(sg);
    p.drawPolygon(star);
    gloss(p, QRectF(c.x() - 56, c.y() - 76, 112, 60), 140);
}

// ----- set 13: dice, one to six pips -------------------------------------------------
void die(QPainter& p, int type, const Palette& colours) {
    backdrop(p);
    const QColor base = colours[type];
    QPainterPath body;
    body.addRoundedRect(QRectF(14, 14, S - 30, S - 30), 36, 36);
    shadow(p, body, {4, 8}, 10, 170);
    QRadialGradient g(QPointF(60, 50), 200);
    g.setColorAt(0, lighter(base, 0.35));
    g.setColorAt(0.6, base);
    g.setColorAt(1, darker(base, 0.45));
    p.setPen(QPen(darker(base, 0.6), 3));
    p.setBrush(g);
    p.drawPath(body);
    static const std::array<std::vector<QPointF>, 6> pips = {{
        {{0, 0}},
        {{-1, -1}, {1, 1}},
        {{-1, -1}, {0, 0}, {1, 1}},
        {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}},
        {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}},
        {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}},
    }};
    const QPointF c(98, 98);
    for (const QPointF& pip : pips[type]) {
        const QPointF at = c + pip * 44;
        QRadialGradient pg(at + QPointF(-3, -4), 18);
        pg.setColorAt(0, QColor(255, 255, 255));
        pg.setColorAt(1, QColor(210, 214, 226));
        p.setPen(QPen(withAlpha(darker(base, 0.7), 200), 3));
        p.setBrush(pg);
        p.drawEllipse(at, 15, 15);
    }
    gloss(p, QRectF(30, 20, S - 64, 60), 90);
}

const std::array<CellPainter, kBlockSetCount> kSets = {
    glossySphere, bevelTile, gem,    marble,    candy, symbolTile, neon,
    cube,         fruit,     bubble, runeStone, jelly, coin,       die,
};

QImage renderCell(int set, int type, const Palette& colours, bool symbol = false) {
    QImage cell(S, S, QImage::Format_ARGB32_Premultiplied);
    cell.fill(Qt::black);
    QPainter p(&cell);
    p.setRenderHint(QPainter::Antialiasing);
    kSets[set](p, type, colours);
    if (symbol)
        drawTypeSymbol(p, type, S);
    return cell;
}

QImage scaledCell(const QImage& cell, int size) {
    return opaque(cell.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

void drawSphere(QPainter& p, QPointF centre, double radius, const QColor& base) {
    sphere(p, centre, radius, base);
}

QColor typeColour(int type) {
    return setPalette(0)[type % 7];
}

QImage blockImage(int set, int type, int size, const Palette& colours) {
    return scaledCell(renderCell(set, type, colours), size);
}

QImage blockImage(int set, int type, int size) {
    return blockImage(set, type, size, setPalette(set));
}

QImage blockStrip(int set, int scale, bool symbols) {
    const int count = set == 0 ? 7 : 6;
    const int side = kBlockSize * scale;
    QImage strip(count * side, side, QImage::Format_RGB32);
    QPainter p(&strip);
    for (int type = 0; type < count; ++type)
        p.drawImage(type * side, 0,
                    scaledCell(renderCell(set, type, setPalette(set), symbols), side));
    return strip;
}

} // namespace tavro::art
