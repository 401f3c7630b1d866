#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

class QPainter;

namespace tavro::art {

constexpr int kBlockSetCount = 14;
constexpr int kBlockSize = 50;

// The block strip of one set: 50 x 50 images in type order, 7 images for
// set 0 (the seventh is a grey extra block) and 6 for the others. Opaque.
QImage blockStrip(int set);

// One block image of a set at any size (used by the icons and the splash).
QImage blockImage(int set, int type, int size);

// A glossy sphere as the spheres of set 0 (icons and the splash picture).
void drawSphere(QPainter& p, QPointF centre, double radius, const QColor& base);

// The base colour of a block type (0..6) shared by most sets.
QColor typeColour(int type);

} // namespace tavro::art
