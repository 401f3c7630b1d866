#pragma once

#include <cstdint>

namespace tavro {

// One block of the board. A removed block keeps its record (present false,
// marked true) and stands for the empty cell it occupies. The lists name a
// block by its index, which never changes.
struct BlockRec {
    int16_t index = 0;    // position in the block table; never changes
    int16_t type = 0;     // picture in the block strip, 0..BlockTypes-1
    int16_t col = 0;      // current column, 0 = leftmost
    int16_t row = 0;      // current row, 0 = top
    int32_t x = 0;        // left edge in pixels: col * block width
    int32_t y = 0;        // top edge in pixels: row * block height
    bool present = false; // the block lies on the board
    bool marked = false;  // collected into a group; spent blocks stay marked
};

} // namespace tavro
