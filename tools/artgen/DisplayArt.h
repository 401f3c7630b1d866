#pragma once

#include <QColor>
#include <QImage>

namespace tavro::art {

// Colours of the seven-segment displays.
inline const QColor kSegmentLit(93, 166, 255);
inline const QColor kSegmentUnlit(40, 70, 147);

// 198 x 27: digits 0..9 and an all-unlit cell, 18 x 27 each, on black; at
// scale 2 or 3 the same figures drawn at twice or three times the size.
// Only the three colours lit, unlit and black appear.
QImage digitStrip(int scale = 1);

// The tick of a checked check box: 9 x 9 (times `scale`), dark on transparent.
QImage tickMark(int scale = 1);

// Language flag, 32 x 20 (times `scale`), by language id (0 de, 1 en, 2 es, 3 it, 6 fr).
QImage flagPicture(int languageId, int scale = 1);

} // namespace tavro::art
