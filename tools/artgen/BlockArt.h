#pragma once

#include "BlockPalette.h"

#include <QColor>
#include <QImage>
#include <QPointF>

class QPainter;

namespace tavro::art {

constexpr int kBlockSetCount = 14;
constexpr int kBlockSize = 50;

// The block strip of one set: 50 x 50 images in type order, 7 images for
// set 0 (the seventh is a grey extra block) and 6 for the others. Opaque.
// At scale 2 or 3 the images are drawn at 100 or 150 pixels. With `symbols`
// each block carries the symbol of its type.
QImage blockStrip(int set, int scale = 1, bool symbols = false);

// One block image of a set at any size (used by the icons and the splash).
QImage blockImage(int set, int type, int size);
// The same, drawn with other base colours (used to choose the palettes).
QImage blockImage(int set, int type, int size, const Palette& colours);

// A glossy sphere as the spheres of set 0 (icons and the splash picture).
void drawSphere(QPainter& p, QPointF centre, double radius, const QColor& base);

// The base colour of a block type (0..6) of set 0, used by the brand pictures.
QColor typeColour(int type);

} // namespace tavro::art
