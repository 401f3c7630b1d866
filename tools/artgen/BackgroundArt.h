#pragma once

#include <QImage>

namespace tavro::art {

constexpr int kBackgroundCount = 9;

// Background picture `index` (0..8), 800 x 600 times `scale`, opaque.
QImage backgroundPicture(int index, int scale = 1);

} // namespace tavro::art
