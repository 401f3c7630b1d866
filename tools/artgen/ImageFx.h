#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>

namespace tavro::art {

// Smooth 2-D value noise in [0, 1] with a fixed lattice per seed.
double valueNoise(double x, double y, int seed);
// Fractal sum of value noise octaves, normalised to [0, 1].
double fractalNoise(double x, double y, int octaves, int seed);

// Approximate Gaussian blur (three box passes) of an ARGB image in place.
void blur(QImage& image, int radius);

// A soft shadow of a path: the path filled with a colour and blurred, as an
// image of the given size to draw under the shape.
QImage softShadow(const QPainterPath& path, QSize size, const QColor& colour, int radius);

// Colour helpers.
QColor mix(const QColor& a, const QColor& b, double t);
QColor lighter(const QColor& c, double amount); // towards white
QColor darker(const QColor& c, double amount);  // towards black
QColor withAlpha(const QColor& c, int alpha);

// Opaque copy without alpha channel (blocks, backgrounds and digits are copied
// as plain rectangles, so they must not depend on what lies under them).
QImage opaque(const QImage& image, const QColor& under = Qt::black);

} // namespace tavro::art
