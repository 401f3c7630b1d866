#include "game/BoardCells.h"

namespace tavro {

std::vector<int> BoardCells::groupAt(int col, int row) const {
    std::vector<int> group;
    if (!contains(col, row) || at(col, row) < 0)
        return group;
    const int8_t type = at(col, row);
    std::vector<uint8_t> seen(types.size(), 0);
    group.push_back(index(col, row));
    seen[static_cast<std::size_t>(group.back())] = 1;
    for (std::size_t next = 0; next < group.size(); ++next) {
        const int c = group[next] / rows, r = group[next] % rows;
        const int neighbours[4][2] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
        for (const auto& [nc, nr] : neighbours) {
            if (!contains(nc, nr) || at(nc, nr) != type || seen[std::size_t(index(nc, nr))])
                continue;
            seen[std::size_t(index(nc, nr))] = 1;
            group.push_back(index(nc, nr));
        }
    }
    return group;
}

} // namespace tavro
