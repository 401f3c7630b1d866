#include "solver/Position.h"

#include <algorithm>
#include <random>

namespace tavro::solver {

Position Position::fromRows(int cols, int rows, int blocksToClick,
                            const std::vector<int16_t>& types) {
    Position p;
    p.shape = Shape{cols, rows, std::max(2, blocksToClick)};
    p.cells.assign(static_cast<size_t>(cols) * static_cast<size_t>(rows), 0);
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            const int16_t type = types[static_cast<size_t>(row) * cols + col];
            const int height = rows - 1 - row;
            p.cells[static_cast<size_t>(col) * rows + height] =
                type < 0 ? 0 : static_cast<uint8_t>(type + 1);
        }
    return p;
}

Position Position::random(int cols, int rows, int types, int blocksToClick, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, std::max(types, 1) - 1);
    std::vector<int16_t> drawn(static_cast<size_t>(cols) * static_cast<size_t>(rows));
    for (int16_t& type : drawn)
        type = static_cast<int16_t>(pick(random));
    return fromRows(cols, rows, blocksToClick, drawn);
}

std::vector<int16_t> Position::toRows() const {
    std::vector<int16_t> types(cells.size());
    for (int col = 0; col < shape.cols; ++col)
        for (int height = 0; height < shape.rows; ++height) {
            const uint8_t cell = cells[static_cast<size_t>(col) * shape.rows + height];
            const int row = shape.rows - 1 - height;
            types[static_cast<size_t>(row) * shape.cols + col] =
                cell == 0 ? int16_t(-1) : int16_t(cell - 1);
        }
    return types;
}

} // namespace tavro::solver
