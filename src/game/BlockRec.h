#pragma once

#include <cstdint>
#include <string>

namespace tavro {

// One block of the board. A removed block keeps its record (present false,
// marked true) and stands for the empty cell it occupies.
struct BlockRec {
    int16_t index = 0;   // position in the block table; never changes
    int16_t type = 0;    // picture in the block strip, 0..BlockTypes-1
    int16_t col = 0;     // current column, 0 = leftmost
    int16_t row = 0;     // current row, 0 = top
    int32_t x = 0;       // left edge in pixels: col * block width
    int32_t y = 0;       // top edge in pixels: row * block height
    std::string key;     // block key, e.g. "C17" for type 2, index 17
    int16_t present = 0; // true (-1) while the block lies on the board
    int16_t marked = 0;  // true (-1) while collected into a group; spent blocks stay marked
};

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The key of a block: the letter 'A' + type followed by the decimal index.
inline std::string blockKey(int type, int index) {
    std::string key(1, static_cast<char>(65 + type));
    key += std::to_string(index);
    return key;
}

} // namespace tavro
