#pragma once

#include <QColor>
#include <array>

namespace tavro::art {

// The base colours of the block types of one set, in type order; the seventh
// is the grey extra block of set 0.
using Palette = std::array<QColor, 7>;

// The palette a block set is drawn with.
const Palette& setPalette(int set);

} // namespace tavro::art
