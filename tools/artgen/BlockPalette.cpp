#include "BlockPalette.h"

#include "BlockArt.h"

namespace tavro::art {

// Red, green, blue, yellow, purple, cyan and the grey extra block. Each set's
// six colours were chosen with tavro_palettefit: every two types of a set
// stay clearly apart for normal vision and for protanopia, deuteranopia and
// tritanopia, measured on the middle of the drawn blocks.
const Palette& setPalette(int set) {
    static const QColor grey(150, 156, 168);
    static const std::array<Palette, kBlockSetCount> palettes = {{
        {QColor(187, 34, 51), QColor(119, 170, 85), QColor(0, 17, 153), QColor(238, 204, 34),
         QColor(153, 68, 204), QColor(17, 187, 204), grey},
        {QColor(204, 34, 34), QColor(119, 170, 85), QColor(34, 0, 187), QColor(238, 204, 34),
         QColor(153, 68, 204), QColor(17, 187, 204), grey},
        {QColor(170, 34, 51), QColor(102, 170, 85), QColor(17, 0, 170), QColor(255, 204, 17),
         QColor(153, 68, 204), QColor(17, 204, 204), grey},
        {QColor(170, 17, 51), QColor(102, 170, 85), QColor(34, 0, 221), QColor(255, 204, 17),
         QColor(136, 85, 204), QColor(17, 204, 204), grey},
        {QColor(170, 34, 68), QColor(119, 170, 34), QColor(0, 0, 255), QColor(255, 255, 0),
         QColor(204, 136, 255), QColor(102, 255, 221), grey},
        // Symbols on tiles: the white symbol tells the types apart.
        {QColor(187, 34, 51), QColor(119, 170, 85), QColor(0, 17, 153), QColor(238, 204, 34),
         QColor(153, 68, 204), QColor(17, 187, 204), grey},
        {QColor(170, 34, 68), QColor(51, 170, 51), QColor(34, 0, 221), QColor(238, 204, 34),
         QColor(153, 68, 204), QColor(17, 187, 204), grey},
        {QColor(187, 34, 51), QColor(119, 170, 85), QColor(17, 0, 170), QColor(255, 204, 34),
         QColor(153, 68, 204), QColor(17, 187, 204), grey},
        // Fruit keep their natural colours; their shapes tell them apart.
        {QColor(205, 22, 40), QColor(92, 186, 48), QColor(52, 82, 200), QColor(250, 214, 40),
         QColor(128, 52, 170), QColor(246, 136, 24), grey},
        {QColor(170, 34, 51), QColor(136, 170, 85), QColor(17, 0, 153), QColor(238, 204, 34),
         QColor(153, 68, 238), QColor(17, 187, 204), grey},
        {QColor(170, 17, 51), QColor(102, 170, 85), QColor(34, 0, 221), QColor(255, 204, 17),
         QColor(136, 85, 221), QColor(17, 204, 204), grey},
        {QColor(187, 34, 51), QColor(119, 170, 85), QColor(34, 0, 204), QColor(238, 204, 34),
         QColor(153, 68, 204), QColor(17, 187, 204), grey},
        {QColor(221, 34, 51), QColor(51, 255, 170), QColor(0, 0, 187), QColor(238, 187, 34),
         QColor(153, 68, 204), QColor(17, 170, 170), grey},
        {QColor(170, 34, 51), QColor(119, 170, 85), QColor(34, 0, 187), QColor(238, 204, 34),
         QColor(153, 68, 238), QColor(17, 187, 204), grey},
    }};
    return palettes[set];
}

} // namespace tavro::art
