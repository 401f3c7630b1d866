#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavro {

// A replay script:
//   btc N          minimum group size (1..32767)
//   board          then one line per row from the top, one digit (block type) per cell
//   clicks         then one line "C R" per click: column and row of the clicked cell
// Blank lines and blanks around a line are ignored.
struct ReplayInput {
    int blocksToClick = 2;
    int cols = 0;
    int rows = 0;
    std::vector<int16_t> types; // row by row from the top
    struct Click {
        int col;
        int row;
    };
    std::vector<Click> clicks;

    // Throws ReplayInput::Malformed with "line N: what is wrong".
    static ReplayInput parse(std::istream& in);

    class Malformed : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
};

} // namespace tavro
