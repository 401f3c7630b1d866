#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

// Finds the controls of a dialog on a screenshot by their colour: the
// bounding boxes of the connected areas (the eight neighbours of a pixel
// count) whose pixels are `colour` or a darker shade of it, as anti-aliased
// edges draw it: each channel within `tolerance` of the colour scaled to the
// pixel's brightness, which is at least a third of the colour's.
QList<QRect> colourRegions(const QImage& image, const QRect& area, const QColor& colour,
                           int tolerance);
