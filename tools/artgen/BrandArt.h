#pragma once

#include <QImage>

namespace tavro::art {

// The header band, 621 x 48; the window stretches it to its width and to
// about three times its height, so it is smooth and mostly horizontal.
// `scale` 2 or 3 draws the same picture with that many times the pixels.
QImage headerBand(int scale = 1);

// The logo, 414 x 65, with a transparent background: "Tavro" between two
// small stacks of blocks.
QImage logoPicture(int scale = 1);

// The application icon at a square size (rounded tile with four spheres).
QImage appIcon(int size);

// The information dialog's large picture, 356 x 330.
QImage infoPicture();

} // namespace tavro::art
