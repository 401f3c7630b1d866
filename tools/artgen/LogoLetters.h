#pragma once

#include <QPainterPath>

namespace tavro::art {

// The word "Tavro" in the game's own rounded letterforms, built from stroked
// centre lines so it needs no font. Units: cap height 100, baseline at y = 100.
QPainterPath tavroWordPath();

} // namespace tavro::art
