#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tavro {

// Game numbers: every new board is made from a number 0 .. 4,294,967,295, so
// that a board can be named, shared and played again. The board follows from
// the number, the columns, the rows and the block types alone, on every build
// and machine, because the generator and its mapping are defined here rather
// than taken from a library's distributions:
//
//   state  = the game number (64 bits, upper half zero)
//   next() = SplitMix64: state += 0x9E3779B97F4A7C15;
//            z = state; z = (z ^ z >> 30) * 0xBF58476D1CE4E5B9;
//            z = (z ^ z >> 27) * 0x94D049BB133111EB; return z ^ z >> 31
//   type   = ((next() >> 32) * blockTypes) >> 32   (upper 32 bits scaled)
//
// One draw per cell, in the board's creation order: row by row from the top,
// left to right.
class GameNumber {
public:
    explicit GameNumber(uint32_t number) : state_(number) {}

    uint64_t next();
    // The next block type, 0 .. blockTypes - 1.
    int16_t nextType(int blockTypes);

    // The block types of board `number`, row by row from the top.
    static std::vector<int16_t> boardTypes(uint32_t number, int cols, int rows, int blockTypes);
    // A game number typed by a player: decimal digits with optional blanks
    // around them, 0 .. 4294967295; anything else gives nothing.
    static std::optional<uint32_t> parse(std::string_view text);

private:
    uint64_t state_;
};

} // namespace tavro
