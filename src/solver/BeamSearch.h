#pragma once

#include "solver/Budget.h"
#include "solver/Position.h"
#include "solver/Rules.h"

#include <cstdint>
#include <vector>

namespace tavro::solver {

// How a beam ranks positions: 2 x score + the sum over the block types of
// weight(count of that type left). Counting twice the score keeps the baseline's
// "score + half the squared counts" in whole numbers.
struct Evaluation {
    std::vector<int64_t> weight; // indexed by the count of one type

    // The baseline: score + half the sum of the squared counts.
    static Evaluation halfSquares(int cells);
    // The solver's: the squared counts, less a fixed loss for each type left with
    // a single block (it can never be removed, so the board is never cleared).
    static Evaluation potential(int cells);
};

// Beam search over whole games: each layer keeps the `width` best positions
// after one more move. With mergeDuplicates, a position reached twice (moves
// played in another order) takes one place, which widens the beam for free.
class BeamSearch {
public:
    explicit BeamSearch(const Shape& shape);

    struct Options {
        int width = 1;
        const Evaluation* evaluation = nullptr;
        bool mergeDuplicates = true;
    };
    // Plays the beam to the end of every line. Improves `best` (kept when no
    // line does better; start it at score -1 to take any line) and returns false when the budget
    // ran out first.
    bool run(const Position& start, const Options& options, Budget& budget, Solution& best);
    // True when the last run never had to drop a position for want of room:
    // it then tried every line, and its answer is the optimum.
    bool wasExhaustive() const { return !truncated_; }

private:
    struct Entry {
        int64_t score;
        int32_t path; // last step in steps_, -1 at the start
        TypeCounts counts;
    };
    struct Candidate {
        int64_t value;
        int32_t parent;
        int32_t cell;
        int32_t size;
        uint8_t type;
    };
    struct Step {
        int32_t parent;
        Move move;
    };

    void reserve(int width);
    bool expand(const Evaluation& evaluation, Budget& budget, Solution& best);
    int materialise(int width, bool mergeDuplicates);
    bool firstVisit(const uint8_t* cells);
    void offer(int64_t finalScore, int32_t path, const Move* last, Solution& best) const;

    Rules rules_;
    int cellCount_;
    std::vector<uint8_t> layer_, next_;
    std::vector<Entry> entries_, nextEntries_;
    int count_ = 0;
    bool truncated_ = false;
    std::vector<Candidate> candidates_;
    std::vector<Group> groups_;
    std::vector<Step> steps_;
    std::vector<uint64_t> hashes_;
    std::vector<uint32_t> hashStamps_;
    uint32_t hashStamp_ = 0;
};

} // namespace tavro::solver
