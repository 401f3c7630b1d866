#include "solver/BeamSearch.h"

#include <algorithm>
#include <cstring>

namespace tavro::solver {

Evaluation Evaluation::halfSquares(int cells) {
    Evaluation e;
    for (int64_t n = 0; n <= cells; ++n)
        e.weight.push_back(n * n);
    return e;
}

Evaluation Evaluation::potential(int cells) {
    Evaluation e;
    for (int64_t n = 0; n <= cells; ++n)
        e.weight.push_back(n == 1 ? -40 : n * n);
    return e;
}

BeamSearch::BeamSearch(const Shape& shape) : rules_(shape), cellCount_(shape.cells()) {}

void BeamSearch::reserve(int width) {
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(cellCount_);
    if (layer_.size() < cells) {
        layer_.resize(cells);
        next_.resize(cells);
        entries_.resize(static_cast<size_t>(width));
        nextEntries_.resize(static_cast<size_t>(width));
    }
    size_t table = 16;
    while (table < 4 * static_cast<size_t>(width))
        table *= 2;
    if (hashes_.size() < table) {
        hashes_.assign(table, 0);
        hashStamps_.assign(table, 0);
        hashStamp_ = 0;
    }
}

bool BeamSearch::run(const Position& start, const Options& options, Budget& budget,
                     Solution& best) {
    const int width = std::max(1, options.width);
    reserve(width);
    steps_.clear();
    std::memcpy(layer_.data(), start.cells.data(), static_cast<size_t>(cellCount_));
    entries_[0] = Entry{start.score, -1, Rules::countTypes(start.cells.data(), cellCount_)};
    count_ = 1;
    truncated_ = false;
    while (count_ > 0) {
        if (!expand(*options.evaluation, budget, best))
            return false;
        count_ = materialise(width, options.mergeDuplicates);
        layer_.swap(next_);
        entries_.swap(nextEntries_);
    }
    return true;
}

// Lists every move of every position of the layer with the value of the
// position it leads to; finished lines are offered to `best` instead.
bool BeamSearch::expand(const Evaluation& evaluation, Budget& budget, Solution& best) {
    candidates_.clear();
    for (int p = 0; p < count_; ++p) {
        const uint8_t* cells = layer_.data() + static_cast<size_t>(p) * cellCount_;
        const Entry& entry = entries_[static_cast<size_t>(p)];
        const int moves = rules_.findGroups(cells, groups_);
        if (!budget.spend(static_cast<uint64_t>(moves) + 1))
            return false;
        int64_t left = 0, base = 2 * entry.score;
        for (int t = 1; t <= MaxTypes; ++t) {
            left += entry.counts[static_cast<size_t>(t)];
            base += evaluation.weight[static_cast<size_t>(entry.counts[static_cast<size_t>(t)])];
        }
        if (moves == 0) {
            offer(Rules::finalScore(entry.score, left == 0), entry.path, nullptr, best);
            continue;
        }
        for (const Group& g : groups_) {
            const int64_t score = entry.score + Rules::points(g.size);
            if (left == g.size) { // the board is cleared
                const Move last = rules_.moveFor(g.cell);
                offer(Rules::finalScore(score, true), entry.path, &last, best);
                continue;
            }
            const int32_t n = entry.counts[g.type];
            const int64_t value = base + 2 * (score - entry.score) -
                                  evaluation.weight[static_cast<size_t>(n)] +
                                  evaluation.weight[static_cast<size_t>(n - g.size)];
            candidates_.push_back(Candidate{value, p, g.cell, g.size, g.type});
        }
    }
    return true;
}

// Builds the next layer from the best candidates, skipping repeated positions.
int BeamSearch::materialise(int width, bool mergeDuplicates) {
    std::sort(candidates_.begin(), candidates_.end(), [](const Candidate& a, const Candidate& b) {
        if (a.value != b.value)
            return a.value > b.value;
        if (a.parent != b.parent)
            return a.parent < b.parent;
        return a.cell < b.cell;
    });
    if (++hashStamp_ == 0) {
        std::fill(hashStamps_.begin(), hashStamps_.end(), 0);
        hashStamp_ = 1;
    }
    int made = 0;
    for (const Candidate& c : candidates_) {
        if (made == width) {
            truncated_ = true;
            break;
        }
        uint8_t* cells = next_.data() + static_cast<size_t>(made) * cellCount_;
        std::memcpy(cells, layer_.data() + static_cast<size_t>(c.parent) * cellCount_,
                    static_cast<size_t>(cellCount_));
        rules_.removeGroup(cells, c.cell);
        if (mergeDuplicates && !firstVisit(cells))
            continue;
        const Entry& parent = entries_[static_cast<size_t>(c.parent)];
        Entry& child = nextEntries_[static_cast<size_t>(made)];
        child.score = parent.score + Rules::points(c.size);
        child.counts = parent.counts;
        child.counts[c.type] -= c.size;
        steps_.push_back(Step{parent.path, rules_.moveFor(c.cell)});
        child.path = static_cast<int32_t>(steps_.size() - 1);
        ++made;
    }
    return made;
}

bool BeamSearch::firstVisit(const uint8_t* cells) {
    uint64_t h = 0x9E3779B97F4A7C15ull;
    int i = 0;
    for (; i + 8 <= cellCount_; i += 8) {
        uint64_t word;
        std::memcpy(&word, cells + i, 8);
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    }
    for (; i < cellCount_; ++i)
        h = (h ^ cells[i]) * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 32;
    h |= 1; // 0 marks a free slot
    const size_t mask = hashes_.size() - 1;
    for (size_t slot = h & mask;; slot = (slot + 1) & mask) {
        if (hashStamps_[slot] != hashStamp_) {
            hashStamps_[slot] = hashStamp_;
            hashes_[slot] = h;
            return true;
        }
        if (hashes_[slot] == h)
            return false;
    }
}

void BeamSearch::offer(int64_t finalScore, int32_t path, const Move* last, Solution& best) const {
    if (finalScore <= best.score)
        return;
    best.score = finalScore;
    best.moves.clear();
    if (last)
        best.moves.push_back(*last);
    for (int32_t s = path; s >= 0; s = steps_[static_cast<size_t>(s)].parent)
        best.moves.push_back(steps_[static_cast<size_t>(s)].move);
    std::reverse(best.moves.begin(), best.moves.end());
}

} // namespace tavro::solver
